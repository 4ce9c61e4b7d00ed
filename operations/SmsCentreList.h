#pragma once
// The list of SMS service centres offered by the main window's `tabTCcentra`:
// the file "lum_smsc.ini", pairs of comma-separated fields (name, number) in
// the Windows-1250 code page, typically one pair per line.

#include <filesystem>
#include <string>
#include <vector>

namespace rq7 {

inline constexpr const char* kSmsCentreFileName = "lum_smsc.ini";
// Where the list is looked for when the program's own directory has none.
inline constexpr const char* kSystemConfigDir = "/etc/rq7-init";

// The fields of a comma-separated text, read the way sequential input reads
// items: leading blanks are skipped; an unquoted field ends at a comma or at
// the line end, without the blanks before it; a field in double quotes runs to the closing quote (commas
// and line ends included) and whatever follows it up to the next comma or
// line end is dropped. A comma followed by the line end leaves an empty
// field; a blank line holds none.
std::vector<std::string> ReadCsvFields(const std::string& text);

// Combo entries "name <number>" from the file's bytes (Windows-1250), in
// file order, as UTF-8. An unpaired last field is ignored.
std::vector<std::string> ParseSmsCentreList(const std::string& fileBytes);

// The file to read: the one in `programDir`, else the one in `systemDir`,
// else none (empty path).
std::filesystem::path FindSmsCentreFile(const std::filesystem::path& programDir,
                                        const std::filesystem::path& systemDir);

// The entries of the file found there; none when there is no file or it
// cannot be read.
std::vector<std::string>
LoadSmsCentreList(const std::filesystem::path& programDir,
                  const std::filesystem::path& systemDir = kSystemConfigDir);

} // namespace rq7
