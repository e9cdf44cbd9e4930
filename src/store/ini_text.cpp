#include "store/ini_text.h"

#include <windows.h>

#include <iterator>
#include <unordered_map>

#include "store/file_encoding.h"

namespace {

constexpr size_t npos = std::string::npos;

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The section name of a header line "[name]", or nothing. As for the profile functions, the
// name ends at the line's last "]"; a line without one is no header.
bool HeaderName(std::string_view line, std::string_view& name) {
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() != '[') return false;
    const size_t close = t.rfind(']');
    if (close == npos) return false;
    name = Trim(t.substr(1, close - 1));
    return true;
}

bool KeyName(std::string_view line, std::string_view& name) {
    const size_t equals = line.find('=');
    if (equals == npos) return false;
    name = Trim(line.substr(0, equals));
    return true;
}

// Built by appending: GCC 12 warns falsely (-Wrestrict) about "literal" + std::string.
std::string KeyLine(std::string_view key, std::string_view value) {
    std::string line;
    line.reserve(key.size() + value.size() + 1);
    line.append(key).append(1, '=').append(value);
    return line;
}

std::string HeaderLine(std::string_view section) {
    std::string line;
    line.reserve(section.size() + 2);
    line.append(1, '[').append(section).append(1, ']');
    return line;
}

}  // namespace

bool IniText::SameName(std::string_view a, std::string_view b) const {
    if (a == b) return true;
    // Names of plain ASCII (numbered keys, most sections) compare without a conversion: a file of
    // thousands of keys is edited key by key.
    const auto ascii = [](std::string_view s) {
        for (char c : s)
            if (static_cast<unsigned char>(c) >= 0x80) return false;
        return true;
    };
    if (ascii(a) && ascii(b)) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i) {
            const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
            if (fold(a[i]) != fold(b[i])) return false;
        }
        return true;
    }
    const std::wstring wa = FromCodePage(a, codePage_), wb = FromCodePage(b, codePage_);
    return CompareStringOrdinal(wa.data(), static_cast<int>(wa.size()), wb.data(), static_cast<int>(wb.size()), TRUE) ==
           CSTR_EQUAL;
}

std::wstring IniText::FoldedName(std::string_view name) const {
    std::wstring folded = FromCodePage(name, codePage_);
    if (!folded.empty()) CharUpperBuffW(folded.data(), static_cast<DWORD>(folded.size()));
    return folded;
}

size_t IniText::FirstBrokenHeader() const {
    std::string_view name;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view t = Trim(lines_[i].text);
        if (!t.empty() && t.front() == '[' && !HeaderName(t, name)) return i;
    }
    return npos;
}

IniText::IniText(std::string_view bytes, unsigned codePage) : codePage_(codePage) {
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t lf = bytes.find('\n', start);
        if (lf == npos) {
            lines_.push_back({std::string(bytes.substr(start)), ""});
            break;
        }
        const bool cr = lf > start && bytes[lf - 1] == '\r';
        lines_.push_back({std::string(bytes.substr(start, lf - start - (cr ? 1 : 0))), cr ? "\r\n" : "\n"});
        start = lf + 1;
    }
    // New lines follow the file's own style.
    if (!lines_.empty() && lines_.front().end[0] == '\n') newline_ = "\n";
}

size_t IniText::FindSection(std::string_view section, size_t from) const {
    std::string_view name;
    for (size_t i = from; i < lines_.size(); ++i)
        if (HeaderName(lines_[i].text, name) && SameName(name, section)) return i;
    return npos;
}

size_t IniText::NextHeader(size_t header) const {
    std::string_view name;
    size_t i = header + 1;
    while (i < lines_.size() && !HeaderName(lines_[i].text, name)) ++i;
    return i;
}

size_t IniText::BodyEnd(size_t header) const {
    size_t end = NextHeader(header);
    while (end > header + 1 && Trim(lines_[end - 1].text).empty()) --end;
    return end;
}

void IniText::AppendSection(std::string_view section, const std::vector<std::string>& bodyLines) {
    if (!lines_.empty() && !*lines_.back().end) lines_.back().end = newline_;
    lines_.push_back({HeaderLine(section), newline_});
    for (const std::string& line : bodyLines) lines_.push_back({line, newline_});
}

void IniText::Set(std::string_view section, std::string_view key, std::string_view value) {
    const size_t header = FindSection(section);
    if (header == npos) {
        AppendSection(section, {KeyLine(key, value)});
        return;
    }
    const size_t next = NextHeader(header);
    std::string_view name;
    for (size_t i = header + 1; i < next; ++i) {
        if (KeyName(lines_[i].text, name) && SameName(name, key)) {
            lines_[i].text = KeyLine(key, value);
            return;
        }
    }
    const size_t end = BodyEnd(header);
    if (end == lines_.size() && !lines_.empty() && !*lines_.back().end) lines_.back().end = newline_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end), Line{KeyLine(key, value), newline_});
}

void IniText::SetAll(std::string_view section, const std::vector<std::pair<std::string, std::string>>& values) {
    if (values.empty()) return;
    if (FindSection(section) == npos) Set(section, values.front().first, values.front().second);
    const size_t header = FindSection(section);
    // The first line of each key of the section, and the lines to add at its end.
    std::unordered_map<std::wstring, size_t> lineOf;
    std::string_view name;
    for (size_t i = header + 1, next = NextHeader(header); i < next; ++i)
        if (KeyName(lines_[i].text, name)) lineOf.emplace(FoldedName(name), i);
    std::vector<Line> added;
    std::unordered_map<std::wstring, size_t> addedAt;
    for (const auto& [key, value] : values) {
        const std::wstring folded = FoldedName(key);
        if (const auto at = lineOf.find(folded); at != lineOf.end()) {
            lines_[at->second].text = KeyLine(key, value);
        } else if (const auto later = addedAt.find(folded); later != addedAt.end()) {
            added[later->second].text = KeyLine(key, value);
        } else {
            addedAt.emplace(folded, added.size());
            added.push_back({KeyLine(key, value), newline_});
        }
    }
    if (added.empty()) return;
    const size_t end = BodyEnd(header);
    if (end == lines_.size() && !lines_.empty() && !*lines_.back().end) lines_.back().end = newline_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end), std::make_move_iterator(added.begin()),
                  std::make_move_iterator(added.end()));
}

void IniText::Remove(std::string_view section, std::string_view key) {
    for (size_t header = FindSection(section); header != npos; header = FindSection(section, header + 1)) {
        std::string_view name;
        size_t next = NextHeader(header);
        for (size_t i = header + 1; i < next;) {
            if (KeyName(lines_[i].text, name) && SameName(name, key)) {
                lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
                --next;
            } else {
                ++i;
            }
        }
    }
}

void IniText::ReplaceSection(std::string_view section,
                             const std::vector<std::pair<std::string, std::string>>& entries) {
    std::vector<std::string> body;
    body.reserve(entries.size());
    for (const auto& [key, value] : entries) body.push_back(KeyLine(key, value));
    const size_t header = FindSection(section);
    if (header == npos) {
        AppendSection(section, body);
        return;
    }
    // Keys of later sections of the same name would still be read: they go too.
    for (size_t later = FindSection(section, header + 1); later != npos; later = FindSection(section, header + 1))
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(later),
                     lines_.begin() + static_cast<std::ptrdiff_t>(NextHeader(later)));
    const size_t end = BodyEnd(header);
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header + 1),
                 lines_.begin() + static_cast<std::ptrdiff_t>(end));
    if (header + 1 == lines_.size() && !*lines_.back().end) lines_.back().end = newline_;
    std::vector<Line> inserted;
    inserted.reserve(body.size());
    for (std::string& line : body) inserted.push_back({std::move(line), newline_});
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(header + 1), inserted.begin(), inserted.end());
}

void IniText::RemoveSection(std::string_view section) {
    for (size_t header = FindSection(section); header != npos; header = FindSection(section, header))
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                     lines_.begin() + static_cast<std::ptrdiff_t>(NextHeader(header)));
}

std::string IniText::Bytes() const {
    std::string out;
    size_t size = 0;
    for (const Line& line : lines_) size += line.text.size() + 2;
    out.reserve(size);
    for (const Line& line : lines_) out.append(line.text).append(line.end);
    return out;
}
