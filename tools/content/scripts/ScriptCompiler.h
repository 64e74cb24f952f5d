#pragma once
// The content tool's script compiler: script sources ("*.script") become "cnf" resources.

#include <string>
#include <string_view>
#include <vector>

#include "tools/content/scripts/ScriptChecks.h"
#include "tools/content/scripts/ScriptSource.h"

class cStream;

// The extension of script sources.
inline constexpr std::string_view kScriptSourceExtension = ".script";

// Parses and checks one source, the script of the resource `name`, and writes its "cnf" bytes to
// `cnf`. False, with the faults, when the source does not parse or breaks a check; nothing is
// written then.
bool CompileScript(std::string_view source, const std::string& name, const ScriptChecks& checks, cStream& cnf,
                   std::vector<ScriptFault>& faults);

// Compiles every script source below `source_folder`, in name order, into the file of the same
// relative name with the extension ".cnf" below `data_folder`. Every fault of every script is
// added to `report` as "path:line: text" lines. False when any script failed; a missing source
// folder holds no scripts.
bool CompileScriptFolder(const std::string& source_folder, const std::string& data_folder,
                         const ScriptChecks& checks, std::string& report);

// The resource names ("levels\<folder>\<name>") of the script sources below `source_folder`.
std::vector<std::string> ScriptResourceNames(const std::string& source_folder);

// The source text of a "cnf" file's bytes; false, with the fault in `report`, when they are
// damaged. Bytes after the tree are noted in `report` and ignored.
bool PrintScriptFile(cStream& cnf, std::string& source, std::string& report);
