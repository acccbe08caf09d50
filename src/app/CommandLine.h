#pragma once
// The program's command line. The same options serve the window and the
// headless driver: which serial devices the port numbers open, the built-in
// simulator, and where the data and the language file are.
#include <optional>
#include <string>
#include <vector>

#include "lang/LanguageFileLocation.h"
#include "link/PortMap.h"
#include "sim/SimConfig.h"

namespace kt520::app {

struct Options {
    bool headless = false;
    std::optional<std::string> scriptFile;  // the script; standard input when absent
    std::vector<link::PortOverride> ports;  // --port COMn=DEVICE
    int simulatedPort = 0;                  // --simulate[=COMn]; 0: no simulator
    sim::SimConfig simulator;               // --sim-KEY VALUE
    std::optional<std::string> dataFolder;
    std::optional<std::string> programFolder;
    std::optional<std::string> historyServer;  // --history-db URL: a PostgreSQL server
    lang::LanguageChoice language = lang::LanguageChoice::Usual;  // --language en|ja
    bool listPorts = false;  // --list-ports: print the port numbers' devices and end
};

struct ParsedCommandLine {
    Options options;
    std::string error;     // what is wrong with the command line, for the user
    std::string helpText;  // set when --help or --version asked for it
};

// `arguments` includes the program name first.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

}  // namespace kt520::app
