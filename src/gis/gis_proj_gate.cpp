#include "gis/gis_proj_gate.h"

#include <cpl_error.h>
#include <dlfcn.h>
#include <proj.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace {

thread_local std::size_t t_refused = 0;

// The text in lower case without white space: PROJ reads "+init = x" as "+init=x".
std::string Condensed(std::string_view text)
{
    std::string condensed;
    condensed.reserve(text.size());
    for (const char c : text)
        if (!std::isspace(static_cast<unsigned char>(c)))
            condensed += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return condensed;
}

bool HasFolder(std::string_view segment) { return segment.find_first_of("/\\") != std::string_view::npos; }

// Every place after `opener` up to the first of `closers` names a file.
bool AnyAfterHasFolder(const std::string& text, std::string_view opener, std::string_view closers)
{
    for (std::size_t at = text.find(opener); at != std::string::npos; at = text.find(opener, at + 1)) {
        const std::size_t from = at + opener.size();
        const std::size_t to = std::min(text.find_first_of(closers, from), text.size());
        if (HasFolder(std::string_view(text).substr(from, to - from)))
            return true;
    }
    return false;
}

bool NamesFileByPath(const std::string& text)
{
    if (!text.empty() && std::string_view("/\\.~").find(text.front()) != std::string_view::npos)
        return true;                                          // the whole text is a path
    return AnyAfterHasFolder(text, "=", "+]") ||              // PROJ parameters, also in a WKT extension
           AnyAfterHasFolder(text, "parameterfile[", "]") ||  // WKT2
           AnyAfterHasFolder(text, "paramfile[", "]") ||      // WKT2, short form
           AnyAfterHasFolder(text, "dataset_", "\"]") ||      // ESRI WKT
           AnyAfterHasFolder(text, "\"value\":\"", "\"");     // PROJJSON parameter values
}

// Counts and reports a refused text; PROJ's functions then answer null.
bool Refuse(const char* entry)
{
    ++t_refused;
    CPLError(CE_Failure, CPLE_NotSupported, "%s: a coordinate system naming a file by its path is refused", entry);
    return false;
}

bool Pass(const char* entry, const char* text) { return !text || IsSafeProjText(text) || Refuse(entry); }

// PROJ's own definition of a function this file replaces.
template <typename Function>
Function* Next(const char* name)
{
    return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

}  // namespace

bool IsSafeProjText(std::string_view text) { return !NamesFileByPath(Condensed(text)); }

std::size_t RefusedProjTexts() { return t_refused; }

void KeepProjGate() {}

extern "C" {

PJ* proj_create(PJ_CONTEXT* ctx, const char* text)
{
    static auto* const next = Next<PJ*(PJ_CONTEXT*, const char*)>("proj_create");
    return next && Pass("proj_create", text) ? next(ctx, text) : nullptr;
}

PJ* proj_create_argv(PJ_CONTEXT* ctx, int argc, char** argv)
{
    static auto* const next = Next<PJ*(PJ_CONTEXT*, int, char**)>("proj_create_argv");
    std::string joined;
    for (int i = 0; i < argc && argv; ++i)
        joined.append(argv[i] ? argv[i] : "").append(" +");
    return next && Pass("proj_create_argv", joined.c_str()) ? next(ctx, argc, argv) : nullptr;
}

PJ* proj_create_from_wkt(PJ_CONTEXT* ctx, const char* wkt, const char* const* options, PROJ_STRING_LIST* warnings,
                         PROJ_STRING_LIST* errors)
{
    using Function = PJ*(PJ_CONTEXT*, const char*, const char* const*, PROJ_STRING_LIST*, PROJ_STRING_LIST*);
    static auto* const next = Next<Function>("proj_create_from_wkt");
    if (next && Pass("proj_create_from_wkt", wkt))
        return next(ctx, wkt, options, warnings, errors);
    if (warnings)
        *warnings = nullptr;
    if (errors)
        *errors = nullptr;
    return nullptr;
}

PJ* proj_create_crs_to_crs(PJ_CONTEXT* ctx, const char* source, const char* target, PJ_AREA* area)
{
    static auto* const next = Next<PJ*(PJ_CONTEXT*, const char*, const char*, PJ_AREA*)>("proj_create_crs_to_crs");
    const bool pass = Pass("proj_create_crs_to_crs", source) && Pass("proj_create_crs_to_crs", target);
    return next && pass ? next(ctx, source, target, area) : nullptr;
}

}  // extern "C"
