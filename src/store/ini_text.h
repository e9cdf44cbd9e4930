// An INI file's bytes, edited in memory the way the profile functions read them: section and
// key names match without regard to case and outer blanks; everything that is not edited
// (comments, other sections, the order of lines) stays byte for byte.
#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class IniText {
public:
    // `codePage`: the code page of the bytes, for matching names without regard to case.
    explicit IniText(std::string_view bytes, unsigned codePage = 0 /* CP_ACP */);

    // Replaces the key's first line in the section, or adds it at the section's end (and the
    // section at the file's end).
    void Set(std::string_view section, std::string_view key, std::string_view value);
    // Set for each of these keys, in their order, with one pass over the section: a save that
    // renumbers thousands of entries takes no longer than reading them.
    void SetAll(std::string_view section, const std::vector<std::pair<std::string, std::string>>& values);
    // Removes every line of the key in every section of that name.
    void Remove(std::string_view section, std::string_view key);
    // The section holds exactly these keys afterwards, in this order.
    void ReplaceSection(std::string_view section, const std::vector<std::pair<std::string, std::string>>& entries);

    // Removes every section of that name, its header and its lines.
    void RemoveSection(std::string_view section);

    std::string Bytes() const;

    // The first line that starts like a section header but has no closing bracket (the profile
    // functions take it for a key of the section before): its number from 0, or npos.
    size_t FirstBrokenHeader() const;
    const std::string& LineText(size_t line) const { return lines_[line].text; }

private:
    struct Line {
        std::string text;  // without its line break
        const char* end;   // "\r\n", "\n" or "" for a last line without one
    };
    // The index of the section's header line, or npos.
    size_t FindSection(std::string_view section, size_t from = 0) const;
    bool SameName(std::string_view a, std::string_view b) const;
    // The name as SameName compares it: equal for names that are the same.
    std::wstring FoldedName(std::string_view name) const;
    // One past the section body's last non-blank line.
    size_t BodyEnd(size_t header) const;
    size_t NextHeader(size_t header) const;
    void AppendSection(std::string_view section, const std::vector<std::string>& bodyLines);

    std::vector<Line> lines_;
    const char* newline_ = "\r\n";
    unsigned codePage_ = 0;
};
