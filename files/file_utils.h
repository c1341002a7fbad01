// Small file operations: whole-file reading, the result file, the existence
// test and the base name. Every text is the file's bytes, unchanged.
#ifndef VELMORA_FILES_FILE_UTILS_H
#define VELMORA_FILES_FILE_UTILS_H

#include <string>

namespace velmora {

// The file's whole content, byte for byte. A missing file gives the empty
// text. Other failures throw FileError.
std::string ReadWholeFile(const std::string& path);

// The result file's name for a chosen GPX file: its base name + " R.gpx".
std::string ResultFileName(const std::string& gpx_file_name);

// Replaces the result file of `gpx_file_name` with exactly `document`. The new
// text goes to a temporary file in the same folder that is then renamed over
// the result, so the result file is always one complete version. On failure
// the previous result stays, the temporary file is removed, and FileError is
// thrown.
void WriteResultFile(const std::string& document, const std::string& gpx_file_name);

// Refuses, with FileError, a result file of `gpx_file_name` that could not be
// written: a folder in its place, or a folder where no file can be made
// (tried with the temporary file of a write, which is removed again). For a
// run, before its first request.
void CheckResultWritable(const std::string& gpx_file_name);

// True when the file can be opened for reading. Never throws.
bool FileExists(const std::string& path);

// The file name without its folder (only "\" separates folders) and without
// its extension: everything from its last point on ("boulder.2011.gpx" gives
// "boulder.2011"; a name without a point is kept whole).
std::string BaseName(const std::string& path);

}  // namespace velmora

#endif
