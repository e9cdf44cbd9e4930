// How an INI file's bytes are encoded. The profile functions read a file that starts with a
// byte-order mark in its Unicode encoding and any other file in the ANSI code page; a file
// that an editor saved as UTF-8 without a mark is read as ANSI too, which garbles it.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

enum class FileEncoding {
    kAnsi,
    kUtf8NoMark,  // no mark, and every byte above 127 belongs to a valid UTF-8 sequence
    kUtf8,        // UTF-8 with its mark
    kUtf16Le,     // UTF-16 little-endian with its mark
    kUtf16Be,     // UTF-16 big-endian with its mark
};

FileEncoding DetectEncoding(std::string_view bytes);

// The file's text for editing, without its mark: in the ANSI code page for ANSI files (and
// for UTF-8 without a mark, as the profile functions read it), in UTF-8 for the others.
// False for an encoding that cannot be edited here (UTF-16 big-endian).
bool DecodeForEditing(std::string_view bytes, FileEncoding encoding, std::string& text);
// The code page of the text that DecodeForEditing gives.
UINT EditingCodePage(FileEncoding encoding);
// The file's bytes again from edited text, with the mark the file had.
std::string EncodeEdited(const std::string& text, FileEncoding encoding);

// Conversions between the program's text and a code page's bytes.
std::string ToCodePage(std::wstring_view text, UINT codePage);
std::wstring FromCodePage(std::string_view bytes, UINT codePage);
