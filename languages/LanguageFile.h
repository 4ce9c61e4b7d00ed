#pragma once
// One lookup in one language file.

#include "languages/clsLanguage.h"

#include <cstddef>
#include <string>

namespace rq7::languages {

// The entry of the file at path that answers key: the first entry from the
// top that contains key anywhere (exact, case-sensitive) and has a non-empty
// text between two apostrophes after its "=", with no ";" before the closing
// apostrophe. A text split by the field reader at commas is re-joined with
// ", ". text is UTF-8; line is where the entry starts, 0 when none answers.
LanguageStatus findEntry(const std::string& path, const std::string& key, std::string& text,
                         std::size_t& line);

// The text of one entry (fields already re-joined) for key, or "" when the
// entry does not answer it.
std::string entryText(const std::string& entry, const std::string& key);

} // namespace rq7::languages
