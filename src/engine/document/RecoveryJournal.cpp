// The recovery journal's file format, its folder and the search for journals left behind.
#include "engine/document/RecoveryJournal.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <limits>

#include "engine/text/AtomicFile.h"

namespace quinkle {
namespace {

constexpr std::string_view kMagic = "QKJRNL\r\n";
// magic, version, charset, encoding, line ends, flags, time, process id, name and text length
constexpr size_t kHeaderSize = 8 + 2 + 4 + 8 + 4 + 4 + 8;
constexpr size_t kTrailerSize = 4;
constexpr uint32_t kMaxNameLength = 64 * 1024;
constexpr uint64_t kMaxTextLength = std::numeric_limits<int32_t>::max() - 1;
constexpr uint8_t kFlagModified = 1;
constexpr std::string_view kJournalSuffix = ".qkj";

constexpr std::array<uint32_t, 256> MakeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

void PutLE(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint64_t GetLE(std::string_view in, size_t at, int bytes) {
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= uint64_t(static_cast<unsigned char>(in[at + i])) << (8 * i);
    return value;
}

[[noreturn]] void Reject(const std::string& why) {
    throw EJournalError("Not a usable recovery file: " + why + ".");
}

// The program's name as the kernel keeps it for `pid` ("" when it cannot be read).
std::string CommandName(const std::string& pid) {
    std::ifstream in("/proc/" + pid + "/comm");
    std::string name;
    std::getline(in, name);
    return name;
}

// The header and the file name: everything before the text.
std::string JournalHead(const JournalRecord& record) {
    std::string out;
    out += kMagic;
    PutLE(out, kJournalVersion, 2);
    PutLE(out, static_cast<uint8_t>(record.DocumentCharset), 1);
    PutLE(out, static_cast<uint8_t>(record.Form.Encoding), 1);
    PutLE(out, static_cast<uint8_t>(record.Form.LineEnds), 1);
    PutLE(out, record.Modified ? kFlagModified : 0, 1);
    PutLE(out, static_cast<uint64_t>(record.Time), 8);
    PutLE(out, static_cast<uint32_t>(record.ProcessId), 4);
    PutLE(out, record.FileName.size(), 4);
    PutLE(out, record.Text->size(), 8);
    out += record.FileName;
    return out;
}

}  // namespace

uint32_t Crc32(std::string_view bytes, uint32_t crc) {
    crc = ~crc;
    for (const char c : bytes)
        crc = kCrcTable[(crc ^ static_cast<unsigned char>(c)) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::string EncodeJournal(const JournalRecord& record) {
    std::string out = JournalHead(record);
    const uint32_t crc = Crc32(*record.Text, Crc32(out));
    out += *record.Text;
    PutLE(out, crc, 4);
    return out;
}

JournalRecord DecodeJournal(std::string_view bytes) {
    if (bytes.size() < kMagic.size() || bytes.substr(0, kMagic.size()) != kMagic)
        Reject("it does not start as a recovery file does");
    if (bytes.size() < kHeaderSize + kTrailerSize) Reject("it is cut short");
    const uint64_t version = GetLE(bytes, 8, 2);
    if (version != kJournalVersion)
        Reject("its format version " + std::to_string(version) + " is not " +
               std::to_string(kJournalVersion));
    const uint64_t nameLength = GetLE(bytes, 26, 4);
    const uint64_t textLength = GetLE(bytes, 30, 8);
    if (nameLength > kMaxNameLength) Reject("its file name is too long");
    if (textLength > kMaxTextLength) Reject("its text is too long");
    const uint64_t expected = kHeaderSize + nameLength + textLength + kTrailerSize;
    if (bytes.size() < expected) Reject("it is cut short");
    if (bytes.size() > expected) Reject("it has bytes past its end");
    const size_t body = bytes.size() - kTrailerSize;
    if (Crc32(bytes.substr(0, body)) != GetLE(bytes, body, 4)) Reject("its checksum is wrong");

    const uint64_t charset = GetLE(bytes, 10, 1);
    const uint64_t encoding = GetLE(bytes, 11, 1);
    const uint64_t lineEnds = GetLE(bytes, 12, 1);
    if (charset > static_cast<uint64_t>(Charset::Windows1252) ||
        encoding > static_cast<uint64_t>(FileEncoding::Utf32BE) ||
        lineEnds > static_cast<uint64_t>(LineEnd::CR))
        Reject("it names an unknown charset or file form");

    JournalRecord record;
    record.DocumentCharset = static_cast<Charset>(charset);
    record.Form.Encoding = static_cast<FileEncoding>(encoding);
    record.Form.LineEnds = static_cast<LineEnd>(lineEnds);
    record.Modified = (GetLE(bytes, 13, 1) & kFlagModified) != 0;
    record.Time = static_cast<int64_t>(GetLE(bytes, 14, 8));
    record.ProcessId = static_cast<int32_t>(GetLE(bytes, 22, 4));
    record.FileName = std::string(bytes.substr(kHeaderSize, nameLength));
    record.Text =
        std::make_shared<const std::string>(bytes.substr(kHeaderSize + nameLength, textLength));
    return record;
}

JournalRecord ReadJournal(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EJournalError("Cannot read the recovery file '" + path + "'.");
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    if (in.bad()) throw EJournalError("Cannot read the recovery file '" + path + "'.");
    try {
        return DecodeJournal(bytes);
    } catch (const EJournalError& error) {
        throw EJournalError("'" + path + "': " + error.what());
    }
}

void WriteJournal(const std::string& path, const JournalRecord& record) {
    // Written in parts, so the text is not copied once more.
    AtomicWriteOptions options;
    options.NewFileMode = 0600;
    AtomicFileWriter writer(path, options);
    const std::string head = JournalHead(record);
    std::string trailer;
    PutLE(trailer, Crc32(*record.Text, Crc32(head)), 4);
    writer.Write(head);
    writer.Write(*record.Text);
    writer.Write(trailer);
    writer.Commit();
}

// ---- the folder ----

std::string RecoveryFolder() {
    std::string state;
    if (const char* value = std::getenv("XDG_STATE_HOME"); value != nullptr && value[0] == '/')
        state = value;
    else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != 0)
        state = std::string(home) + "/.local/state";
    else
        state = "/tmp";
    return state + "/quinkle/recovery";
}

bool PrepareRecoveryFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error)) return false;
    return ::chmod(folder.c_str(), 0700) == 0;
}

std::string OwnJournalPath(const std::string& folder) {
    static const int64_t started = static_cast<int64_t>(std::time(nullptr));
    return folder + "/journal-" + std::to_string(::getpid()) + "-" + std::to_string(started) +
           std::string(kJournalSuffix);
}

bool JournalWriterRuns(int32_t pid) {
    if (pid <= 0) return false;
    if (pid == ::getpid()) return true;
    if (::kill(pid, 0) != 0 && errno != EPERM) return false;
    // The id may have been handed to another program since.
    const std::string other = CommandName(std::to_string(pid));
    return other.empty() || other == CommandName("self");
}

JournalScan FindOrphanJournals(const std::string& folder, const std::string& ownPath) {
    JournalScan scan;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error) return scan;
    for (const auto& entry : entries) {
        const std::string name = entry.path().filename().string();
        // Temporary files of an interrupted write start with a dot.
        if (name.starts_with(".") || !name.ends_with(kJournalSuffix)) continue;
        const std::string path = entry.path().string();
        if (path == ownPath || !entry.is_regular_file(error)) continue;
        try {
            JournalRecord record = ReadJournal(path);
            if (JournalWriterRuns(record.ProcessId)) continue;
            scan.Orphans.push_back({path, std::move(record)});
        } catch (const EJournalError& problem) {
            scan.Problems.push_back(problem.what());
        }
    }
    std::sort(
        scan.Orphans.begin(), scan.Orphans.end(),
        [](const FoundJournal& a, const FoundJournal& b) { return a.Record.Time > b.Record.Time; });
    return scan;
}

}  // namespace quinkle
