#include "store/stored_bytes.h"

namespace {

bool StrippedAtEnd(unsigned char b) { return b == ' ' || b == '\t' || b == 0x0B || b == 0x0C || b == 0x1A; }

}  // namespace

StoreProblem CheckStoredBytes(std::string_view bytes, bool asKey) {
    if (asKey && bytes.empty()) return StoreProblem::kEmpty;
    if (bytes.size() > kMaxStoredBytes) return StoreProblem::kTooLong;
    if (bytes.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        return StoreProblem::kLineBreakOrNul;
    if (!bytes.empty() && (StrippedAtEnd(static_cast<unsigned char>(bytes.front())) ||
                           StrippedAtEnd(static_cast<unsigned char>(bytes.back()))))
        return StoreProblem::kOuterBlank;
    if (asKey) {
        if (bytes.find('=') != std::string_view::npos || bytes.front() == '[' || bytes.front() == ';')
            return StoreProblem::kKeySyntax;
    } else if (bytes.size() >= 2 && (bytes.front() == '"' || bytes.front() == '\'') && bytes.back() == bytes.front()) {
        return StoreProblem::kQuoted;
    }
    return StoreProblem::kNone;
}
