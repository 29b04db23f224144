// The notes files: one text file per archive in the notes folder, named after the
// archive's file name with ".txt" appended (data2.zpk -> data2.zpk.txt). The content is
// 8-bit text (Windows-1252, as the program has always written it) with every line ended
// by CR LF, the last one included.
#pragma once

#include <QString>
#include <expected>
#include <filesystem>

namespace zpk::app {

// The name with each of \ / : + * ? < > | and " replaced by "_", one for one.
QString SafeFileName(const QString& name);

// The folder of the notes files: the program's own folder, as it has always been, when the
// program runs from a folder of its own (a build folder, or a copy unpacked anywhere). An
// installed program can't write there: when its folder is a bin/ folder beside the share/
// folder that holds its menu entry, or when its folder can't be written, the notes live in
// the user's data folder for the program instead, which is made when missing.
std::filesystem::path NotesFolder(const std::filesystem::path& programFolder);

// notesFolder/<SafeFileName of the archive's file name>.txt
std::filesystem::path NotesFilePath(const std::filesystem::path& notesFolder,
                                    const QString& archivePath);

// The file's bytes for a notes text. The text's line breaks may be CR LF or LF alone
// (the notes box ends lines with LF); each line is written with CR LF. A text that ends
// with a line break gets no further empty line, and CRs that end a line are left out (they
// would read back as part of its CR LF), so that saving the text read from a file gives
// those bytes again from the first save on. Characters outside Windows-1252 are written as "?".
QByteArray NotesFileBytes(const QString& text);

// The text of a notes file's bytes, with CR LF turned into the notes box's LF.
QString NotesTextFromBytes(const QByteArray& bytes);

// Writes the text (see NotesFileBytes) in place of the file, which keeps its old content
// when the write fails. The error is the system's reason.
std::expected<void, QString> WriteTextFile(const std::filesystem::path& path, const QString& text);

// The file's text; "" when there is no such file or it can't be read.
QString ReadTextFile(const std::filesystem::path& path);

}  // namespace zpk::app
