// A stand-in for the MAME emulator, used by Corvala's tests and demo instead of the real one.
//
// It answers the commands Corvala gives in the forms the real emulator uses, and records every
// call. Its control folder is $CORVALA_FAKE_MAME, or ".fakemame" in the working folder:
//   calls.jsonl   one line per call, appended: {"cwd":"...","args":["...",...]} (only when the
//                 control folder exists)
//   listfull.txt  the exact output of -listfull (a small built-in list otherwise, or the
//                 machines of listxml.xml when there is one)
//   listxml.xml   the emulator's catalogue, the answer to -listxml; without it the fake does
//                 not know -listxml, as an emulator that cannot give a catalogue
//   conf          key=value lines, a key optionally prefixed with a command ("listfull.",
//                 "verifysets.", "verifyroms.", "listroms.", "romident.", "isknown.", "cc.",
//                 "version.", "showusage.", "game."), the prefixed key winning:
//                   delay_ms=N         wait N milliseconds before answering
//                   fail=1             print an error on standard error and exit with 1
//                   silent=1           print nothing at all
//                   exit=N             the exit code of a normal answer
//                   output=TEXT        print TEXT ("\n" for a line end) instead of the answer
//                   crash=1            die of an abort signal before answering
//                   flood=1            print without end (after the delay)
//                   ignore_term=1      ignore SIGTERM, as a busy emulator may
//                   version=TEXT       answer -version with "TEXT (fake)"; without it
//                                      -version is an unknown option
//                   unknown=a,b        options this emulator does not know (without "-")
//                   writes_cfg=1       a game writes cfg/default.cfg and cfg/NAME.cfg as it
//                                      ends, as the emulator does
//                   writes_snap=1      a game leaves a snapshot, snaps/NAME/0000.png, as F12
//                                      does
//                   stall_after=N      -listxml prints N machines, then waits 20 seconds
//                   crash_after=N      -listxml prints N machines, then dies of an abort
//                   drip_ms=N          -listxml then prints one more machine every N ms,
//                                      without end
//                   endless=1          -listxml then prints machines without end, at once
//                   compact=1          -listxml puts two elements on a line wherever it can
//                                      ("<chip .../><rom .../>", "</port></machine>")
//   cfg_during_game the names in the cfg folder while the last game ran, one per line
//
// -verifysets and -verifyroms audit a set from the archives' contents when there is a
// listxml.xml and roms/NAME.zip is a real zip: every ROM of the set is looked for by size and
// CRC in roms/NAME.zip, then in the archives of the sets it takes ROMs from (romof), as the
// emulator does. Otherwise an archive roms/NAME.zip holds a good set of the game NAME when one
// of its lines reads "set=NAME"; a line "parent=P" makes it a clone of P.

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <zip.h>

namespace fs = std::filesystem;

namespace {

const char *const kBuiltInList
        = "Name:             Description:\n"
          "breakout          \"Breakout\"\n"
          "dkong             \"Donkey Kong (US set 1)\"\n"
          "galaga            \"Galaga (Namco rev. B)\"\n"
          "mspacman          \"Ms. Pac-Man\"\n"
          "pacman            \"Pac-Man (Midway)\"\n"
          "pong              \"Pong (Rev E)\"\n"
          "puckman           \"Puck Man (Japan set 1)\"\n"
          "sf2               \"Street Fighter II: The World Warrior (World 910522)\"\n";

// The emulator's commands, the options that take a value, and the plain switches it knows.
const std::set<std::string> kCommands
        = {"listfull", "listxml",      "listroms", "verifyroms", "verifysets", "romident",
           "isknown",  "createconfig", "cc",       "version",    "showusage"};
const std::set<std::string> kWithValue
        = {"soundcard", "video",         "sound",     "seconds_to_run",     "snapname", "inipath",
           "rompath",   "cfg_directory", "ctrlrpath", "snapshot_directory", "ctrlr"};
const std::set<std::string> kSwitches = {"noreadconfig", "verbose", "noverbose"};

std::string JsonString(const std::string &text)
{
    std::string out = "\"";
    for (const unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += char(c);
            }
        }
    }
    return out + "\"";
}

std::string ReadFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class Conf
{
public:
    explicit Conf(const fs::path &file)
    {
        for (const std::string &line : Lines(ReadFile(file))) {
            const auto equals = line.find('=');
            if (equals != std::string::npos)
                m_values[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    std::string Get(const std::string &command, const std::string &key) const
    {
        auto found = m_values.find(command + "." + key);
        if (found == m_values.end())
            found = m_values.find(key);
        return found == m_values.end() ? std::string() : found->second;
    }
    bool Flag(const std::string &command, const std::string &key) const
    {
        const std::string value = Get(command, key);
        return !value.empty() && value != "0";
    }

private:
    std::map<std::string, std::string> m_values;
};

// What an archive holds: the set it is good for and its parent, if any.
struct Archive
{
    bool exists = false;
    std::string set;
    std::string parent;
};

Archive ReadArchive(const fs::path &path)
{
    Archive archive;
    std::error_code error;
    archive.exists = fs::is_regular_file(path, error);
    if (!archive.exists)
        return archive;
    for (const std::string &line : Lines(ReadFile(path))) {
        if (line.rfind("set=", 0) == 0)
            archive.set = line.substr(4);
        else if (line.rfind("parent=", 0) == 0)
            archive.parent = line.substr(7);
    }
    return archive;
}

std::string Lower(std::string text)
{
    for (char &c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The description of a game of the list, or an empty text.
std::string Description(const std::string &list, const std::string &name)
{
    for (const std::string &line : Lines(list)) {
        const auto blank = line.find(' ');
        if (blank == std::string::npos || Lower(line.substr(0, blank)) != Lower(name))
            continue;
        const auto quote = line.find('"');
        if (quote != std::string::npos && line.size() > quote + 1)
            return line.substr(quote + 1, line.size() - quote - 2);
    }
    return {};
}

std::string Unescape(std::string text)
{
    const std::pair<const char *, const char *> entities[]
            = {{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto &[entity, character] : entities) {
        for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
            text.replace(at, std::strlen(entity), character);
    }
    return text;
}

// The catalogue's machines: each one's lines, from <machine to </machine>.
struct Catalogue
{
    std::vector<std::string> head;
    std::vector<std::pair<std::string, std::vector<std::string>>> machines;
};

Catalogue ReadCatalogue(const fs::path &file)
{
    Catalogue catalogue;
    for (const std::string &line : Lines(ReadFile(file))) {
        const auto start = line.find("<machine name=\"");
        if (start != std::string::npos) {
            const auto from = start + 15;
            catalogue.machines.push_back({line.substr(from, line.find('"', from) - from), {}});
        }
        if (catalogue.machines.empty())
            catalogue.head.push_back(line);
        else if (line.find("</mame>") == std::string::npos)
            catalogue.machines.back().second.push_back(line);
    }
    return catalogue;
}

// -listfull from the catalogue: every machine with its description.
std::string ListFromCatalogue(const Catalogue &catalogue)
{
    std::string list = "Name:             Description:\n";
    for (const auto &[name, lines] : catalogue.machines) {
        for (const std::string &line : lines) {
            const auto start = line.find("<description>");
            if (start == std::string::npos)
                continue;
            const auto from = start + 13;
            std::string padded = name;
            padded.resize(std::max<size_t>(name.size() + 1, 18), ' ');
            list += padded + "\"" + Unescape(line.substr(from, line.find("</description>") - from))
                    + "\"\n";
            break;
        }
    }
    return list;
}

std::string Attribute(const std::string &line, const std::string &name)
{
    const std::string key = " " + name + "=\"";
    const auto start = line.find(key);
    if (start == std::string::npos)
        return {};
    const auto from = start + key.size();
    return Unescape(line.substr(from, line.find('"', from) - from));
}

const std::vector<std::string> *Machine(const Catalogue &catalogue, const std::string &name)
{
    for (const auto &[machine, lines] : catalogue.machines) {
        if (machine == name)
            return &lines;
    }
    return nullptr;
}

// The files of a real zip, by name, with their size and CRC; nothing when it is not one.
struct ZipFile
{
    std::string name;
    unsigned long long size;
    unsigned long crc;
};

bool ReadZip(const fs::path &path, std::vector<ZipFile> &files)
{
    int error = 0;
    zip_t *zip = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (!zip)
        return false;
    for (zip_int64_t i = 0, n = zip_get_num_entries(zip, 0); i < n; ++i) {
        zip_stat_t stat;
        if (zip_stat_index(zip, zip_uint64_t(i), 0, &stat) == 0)
            files.push_back({stat.name, stat.size, stat.crc});
    }
    zip_discard(zip);
    return true;
}

// The emulator's audit of one set, from the zips of roms. Returns false when it cannot audit
// from contents (no catalogue, no such set, or its archive is no zip).
bool Audit(const Catalogue &catalogue, const std::string &name)
{
    const std::vector<std::string> *lines = Machine(catalogue, name);
    std::vector<ZipFile> own;
    if (!lines || lines->empty() || !ReadZip(fs::path("roms") / (name + ".zip"), own))
        return false;
    // Where the set's ROMs may lie: its own archive, then those it takes ROMs from.
    std::vector<std::vector<ZipFile>> places{own};
    const std::string parent = Attribute(lines->front(), "cloneof");
    for (std::string from = Attribute(lines->front(), "romof");
         !from.empty() && places.size() < 8;) {
        std::vector<ZipFile> files;
        ReadZip(fs::path("roms") / (from + ".zip"), files);
        places.push_back(files);
        const std::vector<std::string> *next = Machine(catalogue, from);
        from = next && !next->empty() ? Attribute(next->front(), "romof") : std::string();
    }
    std::string label = name;
    label.resize(std::max<size_t>(name.size(), 12), ' ');
    bool bad = false;
    bool missingDump = false;
    for (const std::string &line : *lines) {
        if (line.find("<rom ") == std::string::npos)
            continue;
        const std::string rom = Attribute(line, "name");
        const std::string size = Attribute(line, "size");
        if (Attribute(line, "status") == "nodump") {
            std::cout << label << ": " << rom << " (" << size << " bytes) - NO GOOD DUMP KNOWN\n";
            missingDump = true;
            continue;
        }
        const unsigned long crc = std::strtoul(Attribute(line, "crc").c_str(), nullptr, 16);
        const unsigned long long bytes = std::strtoull(size.c_str(), nullptr, 10);
        bool found = false;
        for (const auto &files : places) {
            for (const ZipFile &file : files)
                found = found || (file.crc == crc && file.size == bytes);
        }
        if (found)
            continue;
        bad = true;
        const auto named = std::find_if(own.begin(), own.end(),
                                        [&](const ZipFile &file) { return file.name == rom; });
        std::cout << label << ": " << rom << " (" << size << " bytes) - "
                  << (named == own.end() ? "NOT FOUND" : "INCORRECT CHECKSUM:") << "\n";
    }
    std::cout << "romset " << name << (parent.empty() ? "" : " [" + parent + "]")
              << (bad           ? " is bad"
                  : missingDump ? " is best available"
                                : " is good")
              << "\n"
              << "1 romsets found, " << (bad ? 0 : 1) << " were OK.\n";
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const char *controlEnv = std::getenv("CORVALA_FAKE_MAME");
    const fs::path control
            = controlEnv && *controlEnv ? fs::path(controlEnv) : fs::current_path() / ".fakemame";
    std::error_code error;
    if (fs::is_directory(control, error)) {
        std::ofstream calls(control / "calls.jsonl", std::ios::app | std::ios::binary);
        calls << "{\"cwd\":" << JsonString(fs::current_path().string()) << ",\"args\":[";
        for (size_t i = 0; i < args.size(); ++i)
            calls << (i ? "," : "") << JsonString(args[i]);
        calls << "]}\n";
    }

    const Conf conf(control / "conf");
    if (conf.Flag("", "ignore_term"))
        std::signal(SIGTERM, SIG_IGN);
    std::set<std::string> unknown;
    {
        std::istringstream list(conf.Get("", "unknown"));
        for (std::string option; std::getline(list, option, ',');)
            unknown.insert(option);
    }
    if (conf.Get("", "version").empty())
        unknown.insert("version");
    const fs::path catalogueFile = control / "listxml.xml";
    if (!fs::exists(catalogueFile, error))
        unknown.insert("listxml");

    // The command is the first option that is one; the first other word is the name.
    std::string command = "game";
    std::string name;
    std::vector<std::string> names;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (arg.size() < 2 || arg[0] != '-') {
            if (name.empty())
                name = arg;
            names.push_back(arg);
            continue;
        }
        const std::string option = arg.substr(1);
        const bool known = !unknown.count(option)
                           && (kCommands.count(option) || kWithValue.count(option)
                               || kSwitches.count(option));
        if (!known) {
            std::cerr << "Error: unknown option: " << arg << "\n";
            return 1;
        }
        if (kWithValue.count(option))
            ++i;
        else if (kCommands.count(option) && command == "game")
            command = option == "createconfig" ? "cc" : option;
    }

    // A folder's mame.ini with "verbose 1" makes the emulator talk about its configuration
    // before it answers, unless told -noverbose.
    if (std::find(args.begin(), args.end(), "-noverbose") == args.end()) {
        std::ifstream ini("mame.ini");
        for (std::string line; std::getline(ini, line);) {
            if (line.rfind("verbose", 0) == 0 && line.find('1') != std::string::npos)
                std::cout << "Attempting load of mame.ini\n";
        }
    }
    if (const std::string delay = conf.Get(command, "delay_ms"); !delay.empty())
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(delay.c_str())));
    if (conf.Flag(command, "fail")) {
        std::cerr << "Error: the fake emulator was told to fail\n";
        return 1;
    }
    if (conf.Flag(command, "crash"))
        std::abort();
    if (conf.Flag(command, "flood")) {
        const std::string linea(1023, 'x');
        for (;;)
            std::cout << linea << '\n';
    }
    if (conf.Flag(command, "silent"))
        return 0;
    const int exitCode = std::atoi(conf.Get(command, "exit").c_str());

    if (const std::string output = conf.Get(command, "output"); !output.empty()) {
        for (size_t i = 0; i < output.size(); ++i) {
            if (output.compare(i, 2, "\\n") == 0) {
                std::cout << '\n';
                ++i;
            } else {
                std::cout << output[i];
            }
        }
        return exitCode;
    }

    // The game list is read only by the commands that need it.
    const fs::path listFile = control / "listfull.txt";
    const bool needsList = command == "listfull" || command == "listroms" || command == "romident";
    const std::string list = !needsList                    ? std::string()
                             : fs::exists(listFile, error) ? ReadFile(listFile)
                             : fs::exists(catalogueFile, error)
                                     ? ListFromCatalogue(ReadCatalogue(catalogueFile))
                                     : kBuiltInList;
    const std::string romName = fs::path(name).stem().string();

    if (command == "listfull") {
        std::cout << list;
    } else if (command == "listxml") {
        const Catalogue catalogue = ReadCatalogue(catalogueFile);
        for (const std::string &line : catalogue.head)
            std::cout << line << '\n';
        const int stallAfter = std::atoi(conf.Get(command, "stall_after").c_str());
        const int crashAfter = std::atoi(conf.Get(command, "crash_after").c_str());
        int printed = 0;
        const bool compact = conf.Flag(command, "compact");
        bool pending = false; // a compact line still open
        const auto print = [&](const std::string &line) {
            if (!compact) {
                std::cout << line << '\n';
                return;
            }
            // Every second line joins the one before it, its indentation dropped.
            if (pending)
                std::cout << line.substr(line.find_first_not_of(" \t")) << '\n';
            else
                std::cout << line;
            pending = !pending;
        };
        for (const auto &[machine, lines] : catalogue.machines) {
            if (!names.empty() && std::find(names.begin(), names.end(), machine) == names.end())
                continue;
            if (printed == stallAfter && stallAfter > 0) {
                std::cout.flush();
                std::this_thread::sleep_for(std::chrono::seconds(20));
            }
            if (printed == crashAfter && crashAfter > 0) {
                std::cout.flush();
                std::abort();
            }
            for (const std::string &line : lines)
                print(line);
            ++printed;
        }
        if (pending)
            std::cout << '\n';
        const int drip = std::atoi(conf.Get(command, "drip_ms").c_str());
        if (drip > 0 || conf.Flag(command, "endless")) {
            for (long n = 0;; ++n) {
                std::cout << "\t<machine name=\"sinfin" << n << "\">\n\t\t<description>Sin fin "
                          << n << "</description>\n\t\t<rom name=\"r" << n
                          << ".bin\" size=\"16\" crc=\"" << std::hex << (0x10000000u + unsigned(n))
                          << std::dec << "\"/>\n\t</machine>\n";
                if (drip > 0) {
                    std::cout.flush();
                    std::this_thread::sleep_for(std::chrono::milliseconds(drip));
                }
            }
        }
        std::cout << "</mame>\n";
    } else if (command == "version") {
        std::cout << conf.Get("", "version") << " (fake)\n";
    } else if (command == "showusage") {
        std::cout << "Usage:  mame [machine] [media] [software] [options]\n\nOptions:\n";
        for (const auto *options : {&kCommands, &kWithValue, &kSwitches}) {
            for (const std::string &option : *options) {
                if (!unknown.count(option))
                    std::cout << "    -" << option << "\n";
            }
        }
    } else if (command == "cc") {
        std::ofstream ini("mame.ini", std::ios::binary);
        ini << "#\r\n# CORE CONFIGURATION OPTIONS\r\n#\r\n"
            << "rompath                   roms\r\n"
            << "# ctrlr                 <NULL> (Not Set)\r\n"
            << "cfg_directory             cfg\r\n"
            << "languagepath              language\r\n"
            << "language                  \r\n";
    } else if ((command == "verifysets" || command == "verifyroms")
               && fs::exists(catalogueFile, error) && Audit(ReadCatalogue(catalogueFile), name)) {
    } else if (command == "verifysets" || command == "verifyroms") {
        // As the emulator looks: the set's folder (its file "set"), NAME.zip, then NAME.7z.
        Archive archive = ReadArchive(fs::path("roms") / name / "set");
        for (const char *form : {".zip", ".7z"}) {
            if (!archive.exists)
                archive = ReadArchive(fs::path("roms") / (name + form));
        }
        if (!archive.exists) {
            std::cout << "romset \"" << name << "\" not found!\n";
        } else if (archive.set == name) {
            std::cout << "romset " << name;
            if (!archive.parent.empty())
                std::cout << " [" << archive.parent << "]";
            std::cout << " is good\n1 romsets found, 1 were OK.\n";
        } else {
            std::cout << name << ".1       : NOT FOUND\nromset " << name
                      << " is bad\n1 romsets found, 0 were OK.\n";
        }
    } else if (command == "listroms") {
        if (Description(list, name).empty()) {
            std::cerr << "No matching systems found for '" << name << "'\n";
        } else {
            std::cout << "ROMs required for driver \"" << name << "\".\n"
                      << "Name                                   Size Checksum\n"
                      << name << ".1                                 4096 CRC(12345678)\n"
                      << name << ".2                                 4096 CRC(9abcdef0)\n";
        }
    } else if (command == "romident") {
        const Archive archive = ReadArchive(name);
        std::cout << "Identifying " << name << "....\n";
        if (archive.set.empty())
            std::cerr << "No roms matched.\n";
        else
            std::cout << archive.set << ".1        = " << archive.set << ".1  "
                      << Description(list, archive.set) << "\n";
    } else if (command == "isknown") {
        const Archive archive = ReadArchive(name);
        std::cout << fs::path(name).filename().string()
                  << (archive.set.empty() ? " NOTKNOWN" : " KNOWN") << "\n";
    } else {
        // A game: it runs for its delay, talking on both channels.
        const Archive archive = ReadArchive(fs::path("roms") / (romName + ".zip"));
        if (!archive.exists) {
            std::cout << romName << ".1 NOT FOUND (tried in " << romName << ")\n";
            std::cerr << "Required files are missing, the machine cannot be run.\n";
            return 2;
        }
        std::cout << "Running " << romName << "\n";
        std::cerr << "Warning: this is the fake emulator\n";
        if (fs::is_directory(control, error)) {
            std::ofstream during(control / "cfg_during_game", std::ios::binary);
            std::set<std::string> cfgNames;
            for (const auto &entry : fs::directory_iterator("cfg", error))
                cfgNames.insert(entry.path().filename().string());
            for (const std::string &cfgName : cfgNames)
                during << cfgName << "\n";
        }
        if (conf.Flag(command, "writes_cfg")) {
            fs::create_directories("cfg", error);
            std::ofstream("cfg/default.cfg", std::ios::binary) << "<mameconfig version=\"10\"/>\n";
            std::ofstream("cfg/" + romName + ".cfg", std::ios::binary)
                    << "<mameconfig version=\"10\"><system name=\"" << romName
                    << "\"/></mameconfig>\n";
        }
        if (conf.Flag(command, "writes_snap")) {
            // One black pixel.
            static const unsigned char kPng[]
                    = {0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d,
                       0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01,
                       0x08, 0x00, 0x00, 0x00, 0x00, 0x3a, 0x7e, 0x9b, 0x55, 0x00, 0x00, 0x00,
                       0x0a, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0x60, 0x00, 0x00, 0x00,
                       0x02, 0x00, 0x01, 0x48, 0xaf, 0xa4, 0x71, 0x00, 0x00, 0x00, 0x00, 0x49,
                       0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
            fs::create_directories("snaps/" + romName, error);
            std::ofstream("snaps/" + romName + "/0000.png", std::ios::binary)
                    .write(reinterpret_cast<const char *>(kPng), sizeof kPng);
        }
    }
    return exitCode;
}
