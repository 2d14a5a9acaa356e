#pragma once

#include <string>

#include "book/text_encoding.h"

namespace folix {

class Ui;

inline constexpr char kUndecodableFileNotice[] =
    "このファイルの文字コードを判別できないため、読取専用で開きます。";
inline constexpr char kSavedAsUtf8Notice[] =
    "このファイルにはShift_JISで保存できない文字があるため、UTF-8で保存しました。";

// A book file as the editor receives it.
struct EditorFile {
    bool rtf = false;  // the bytes begin with "{\rtf": text holds them as they are
    std::string text;  // UTF-8 for a plain file
    TextEncoding encoding = TextEncoding::kUtf8;
    // False when the bytes were neither UTF-8 nor CP932: the file opens read-only so that no
    // save can replace bytes we could not read.
    bool clean = true;
};

struct FileRead;

// Reads the file for the editor; false after showing path + "が開けません。(%d)".
bool ReadEditorFile(Ui& ui, const std::string& path, EditorFile& file);
// The same for the file's bytes read already (or the error of reading them).
bool ReadEditorFile(Ui& ui, const std::string& path, FileRead&& read, EditorFile& file);

// Only txt, htx and lst files that read cleanly may be changed in the editor.
bool IsEditorWritable(const std::string& path, const EditorFile& file);

// Writes plain text back in the file's encoding, whole or not at all. A CP932 file whose text
// now holds a character CP932 lacks is saved as UTF-8, with a notice, and `encoding` follows.
bool SaveEditorText(Ui& ui, const std::string& path, const std::string& text,
                    TextEncoding& encoding);

}  // namespace folix
