#pragma once

// Small pieces shared by the subcommands that work on one project.

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

class CMyTalvoDoc;

// Opens the project at path into doc; on failure writes "talvo-cli COMMAND: PATH: message"
// to stderr and throws CLI::RuntimeError(1).
void LoadProjectOrFail(CMyTalvoDoc& doc, const std::string& path, const std::string& command);

// Writes each message on a line of its own to stderr.
void PrintMessages(const std::vector<std::string>& messages);

// The receiver index for a receiver number counted from 1; -1 when no such receiver exists
// (as if no receiver or several had been chosen).
int ReceiverIndexFromNumber(const CMyTalvoDoc& doc, long long number);

// Accepts finite numbers only ("nan" and "inf" parse as numbers but mean nothing here).
extern const CLI::Validator kFiniteNumber;

// Parses "X,Y" into two finite numbers; false when the text is not of that form.
bool ParsePoint(const std::string& text, double& x, double& y);
