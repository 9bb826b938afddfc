#pragma once

#include <string>

namespace nerim {

// Name of the configuration file beside the program.
inline constexpr const char* kConfigurationFileName = "Configuration.dat";

// Which language files the program uses, read once from the configuration file: an INI-style text
// with the keys "Strings" and "UIStrings" in the section "GENERAL". Section and key names match
// without regard to letter case, blanks around a value are dropped, and a missing file, section or
// key gives the default ("Strings_es.dat", "Translation_es.dat"). A value is always a name inside
// the program directory: it is appended to that directory unchanged. Nothing is ever written.
class TConfiguration {
public:
    // Reads fileName (a full path) and joins the values to programDirectory.
    TConfiguration(const std::string& fileName, const std::string& programDirectory);
    // The same with the directory of the running program.
    explicit TConfiguration(const std::string& fileName);

    // Full path of the strings file, the source of the string table.
    const std::string& StringsFile() const { return stringsFile_; }
    // Full path of the window translation list.
    const std::string& UIStringsFile() const { return uiStringsFile_; }

private:
    std::string stringsFile_;
    std::string uiStringsFile_;
};

}  // namespace nerim
