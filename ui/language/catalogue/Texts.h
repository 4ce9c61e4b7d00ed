#pragma once
// Turns a text key into the text of the current language. Every message and
// every control text of the program goes through one Texts object, which
// holds the program's one language object (or none: then every key answers
// its built-in Czech default).

#include <string>

namespace rq7 {

class clsLanguage;

class Texts {
public:
    Texts() = default; // built-in Czech defaults only
    explicit Texts(const clsLanguage* language) : language_(language) {}

    // The text of a catalogue key in the current language, else its Czech
    // default; a key outside the catalogue answers "".
    std::string get(const std::string& key) const;
    // The same with an explicit default, for keys outside the catalogue.
    std::string get(const std::string& key, const std::string& czechDefault) const;

    const clsLanguage* language() const { return language_; }

private:
    const clsLanguage* language_ = nullptr;
};

// The built-in Czech default of a catalogue key; "" for an unknown key.
const std::string& czechDefault(const std::string& key);

} // namespace rq7
