#pragma once

// The key form of the project file: a key file (CIniFile) whose "설정" section holds
// the settings and the entity counts, followed by one section per entity and, for a
// project whose results are current, one result section per receiver.

#include <cstddef>
#include <string>
#include <string_view>

#include "io/ini_file.h"
#include "io/project_file.h"
#include "model/bands.h"

class CMyTalvoDoc;

// The whole project as a key file, sections and keys in the order they are written.
// Roads and tunnels whose class mode is not 1 carry the keys of the first two classes.
CIniFile WriteKeyForm(const CMyTalvoDoc& doc);

// A text (a name, a description) as a value of one key line: valid UTF-8, each bad byte
// replaced by '?', and every control character (line breaks, NUL) by a blank. Nothing in
// a name can then end its line early, swallow the next key or make the file read as
// another encoding. The key form's writers pass every text through it.
std::string KeyFormText(std::string_view text);

// The eight values of a band list as one value: "%lf" each, '/' between them.
std::string KeyFormBandList(const Bands& bands);
// The section of an entity of a kind: its prefix and its place from 1 (index from 0).
std::string KeyFormSection(const char* prefix, std::size_t index);

// The first number value of ini that would not open as written (its text is longer than
// the reader keeps, as "1e308" in "%lf" is), as the message naming the entity and the
// field; empty when every number comes back whole.
std::string FindUnreadableNumber(const CIniFile& ini);

// "버전" of "설정" as a number; 0 when missing (a line-form file has none).
double KeyFormVersion(const CIniFile& ini);

// Reads settings and entities from ini into doc, which must hold an empty model.
// Missing sections, keys and list items read as their defaults (0, empty text). Fails
// when a count exceeds kMaxEntitiesPerKind, or when it asks for far more entities than
// the file has sections for (more missing than present, beyond 100); doc is then partly
// filled.
CFileResult ReadKeyForm(const CIniFile& ini, CMyTalvoDoc& doc);
