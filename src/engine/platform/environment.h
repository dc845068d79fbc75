#pragma once

#include <string>

namespace quorrix::engine {

class KeyValueStore;
class FileSystem;
class RegionalFormat;
class Clock;
class Shell;
class MessageBoxPort;

// What the program is given of the world. The program owns the ports for its whole life;
// tests hand in fakes.
struct Environment {
    KeyValueStore& store;
    FileSystem& files;
    RegionalFormat& regional;
    Clock& clock;
    Shell& shell;
    MessageBoxPort& messages;
    std::string programFolder; // without a trailing separator
};

} // namespace quorrix::engine
