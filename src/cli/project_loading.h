#pragma once

// Small pieces shared by the subcommands that work on one project.

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

class CMyTalvoDoc;
struct CFileResult;

// Opens the project at path into doc; on failure writes "talvo-cli COMMAND: PATH: message"
// to stderr and throws CLI::RuntimeError(1). What the open left out is told as below.
void LoadProjectOrFail(CMyTalvoDoc& doc, const std::string& path, const std::string& command);

// After a successful open: writes "talvo-cli COMMAND: PATH: notice" to stderr for what the
// open left out, and drops, saying so, a coordinate system PROJ does not accept.
void TellWhatTheOpenLeftOut(CMyTalvoDoc& doc, const CFileResult& opened, const std::string& command,
                            const std::string& path);

// Writes each message on a line of its own to stderr.
void PrintMessages(const std::vector<std::string>& messages);

// The receiver index for a receiver number counted from 1; -1 when no such receiver exists
// (as if no receiver or several had been chosen).
int ReceiverIndexFromNumber(const CMyTalvoDoc& doc, long long number);

// Accepts finite numbers only ("nan" and "inf" parse as numbers but mean nothing here).
extern const CLI::Validator kFiniteNumber;

// Parses "X,Y" into two finite numbers; false when the text is not of that form.
bool ParsePoint(const std::string& text, double& x, double& y);
