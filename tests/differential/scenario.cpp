// One scenario of file-system calls on a tree of relative paths, printing one line per
// observation: "<name>\t<what was seen>". The same program runs on our cores and on the real
// API; the outputs are compared line by line (compare.sh).
//
//   fs_scenario FOLDER    FOLDER is an empty host folder the scenario builds its tree in
#include <cstdio>
#include <string>
#include <vector>

#include "scenario_api.h"

namespace {

using scenario::DWORD;

constexpr DWORD kReadOnly = 0x01, kHidden = 0x02, kSystem = 0x04, kNormal = 0x80;
constexpr DWORD kReplaceExisting = 0x1;
constexpr DWORD kInvalidAttributes = 0xFFFFFFFF;

void Observe(const std::string& name, const std::string& seen) {
    std::printf("%s\t%s\n", name.c_str(), seen.c_str());
}

std::string Hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", value);
    return text;
}

std::string Failed() {
    return "fail " + std::to_string(scenario::LastError());
}

std::string Outcome(bool ok) {
    return ok ? "ok" : Failed();
}

std::string Attributes(const char* path) {
    const DWORD attributes = scenario::GetFileAttributes(path);
    return attributes == kInvalidAttributes ? Failed() : Hex(attributes);
}

std::string Listing(const char* pattern) {
    std::vector<std::string> names;
    if (!scenario::FindNames(pattern, names)) return Failed();
    std::string seen;
    for (const std::string& name : names) seen += (seen.empty() ? "" : " ") + name;
    return "[" + seen + "]";
}

std::string Content(const char* path) {
    std::string content;
    return scenario::ReadFile(path, content) ? "\"" + content + "\"" : Failed();
}

// A call's outcome, then the attributes of what it left (or the content of a copy).
void ObserveCall(const std::string& name, bool ok, const char* path) {
    const std::string outcome = Outcome(ok);
    Observe(name, outcome + "; then " + Attributes(path));
}

void Put(const char* path, const std::string& content) {
    Observe("put " + std::string(path), Outcome(scenario::WriteFile(path, content)));
}

void BuildTree() {
    Observe("mkdir F", Outcome(scenario::CreateDirectory("F")));
    Observe("mkdir W", Outcome(scenario::CreateDirectory("W")));
    Observe("mkdir T", Outcome(scenario::CreateDirectory("T")));
    Put("a.txt", "alpha");
    Put("F\\f1.txt", "f1");
    for (const char* name : {"abc", "abc.txt", "abd.txt", "ab", "a", "abcd", "a.b.c", "x.tst",
                             "x.txt", "x.t", "AXC.TXT", "noext"}) {
        Put(("W\\" + std::string(name)).c_str(), name);
    }
}

void Directories() {
    Observe("mkdir existing folder", Outcome(scenario::CreateDirectory("F")));
    Observe("mkdir existing folder with backslash", Outcome(scenario::CreateDirectory("F\\")));
    Observe("mkdir over a file", Outcome(scenario::CreateDirectory("a.txt")));
    Observe("mkdir below a missing folder", Outcome(scenario::CreateDirectory("none\\sub")));
    Observe("mkdir below a file", Outcome(scenario::CreateDirectory("a.txt\\sub")));
    ObserveCall("mkdir with trailing dot", scenario::CreateDirectory("dotted."), "dotted");
    Observe("rmdir not empty", Outcome(scenario::RemoveDirectory("F")));
    Observe("rmdir a file", Outcome(scenario::RemoveDirectory("a.txt")));
    Observe("rmdir missing", Outcome(scenario::RemoveDirectory("none")));
    Observe("rmdir below a missing folder", Outcome(scenario::RemoveDirectory("none\\sub")));
    Observe("rmdir empty", Outcome(scenario::RemoveDirectory("dotted")));
    Observe("delete a folder", Outcome(scenario::DeleteFile("F")));
    Observe("delete missing", Outcome(scenario::DeleteFile("none.txt")));
    Observe("delete below a missing folder", Outcome(scenario::DeleteFile("none\\x.txt")));
    Put("T\\ro.txt", "ro");
    scenario::SetFileAttributes("T\\ro.txt", kReadOnly);
    Observe("delete read-only", Outcome(scenario::DeleteFile("T\\ro.txt")));
    Put("T\\hidden-del.txt", "h");
    scenario::SetFileAttributes("T\\hidden-del.txt", kHidden);
    Observe("delete hidden", Outcome(scenario::DeleteFile("T\\hidden-del.txt")));
}

void AttributeBits() {
    Observe("attributes of a file", Attributes("a.txt"));
    Observe("attributes of a folder", Attributes("F"));
    Observe("attributes of a missing file", Attributes("none.txt"));
    Observe("attributes below a missing folder", Attributes("none\\x.txt"));
    const struct {
        const char* name;
        DWORD bits;
    } cases[] = {
        {"readonly", kReadOnly},
        {"hidden", kHidden},
        {"system", kSystem},
        {"readonly-hidden", kReadOnly | kHidden},
        {"hidden-system", kHidden | kSystem},
        {"all", kReadOnly | kHidden | kSystem},
        {"normal", kNormal},
    };
    for (const auto& c : cases) {
        const std::string file = "T\\attr-" + std::string(c.name) + ".txt";
        Put(file.c_str(), c.name);
        ObserveCall("set file " + std::string(c.name),
                    scenario::SetFileAttributes(file.c_str(), c.bits), file.c_str());
        const std::string folder = "T\\dir-" + std::string(c.name);
        scenario::CreateDirectory(folder.c_str());
        ObserveCall("set folder " + std::string(c.name),
                    scenario::SetFileAttributes(folder.c_str(), c.bits), folder.c_str());
    }
    ObserveCall("clear read-only and hidden, keep system",
                scenario::SetFileAttributes("T\\attr-all.txt", kSystem), "T\\attr-all.txt");
    ObserveCall("set on a missing file", scenario::SetFileAttributes("none.txt", kHidden),
                "none.txt");
    Put("T\\.dotfile", "dot");
    Observe("attributes of a dot file", Attributes("T\\.dotfile"));
}

void Lookups() {
    for (const char* path :
         {"A.TXT", "f\\F1.TXT", "a.txt.", "a.txt ", "a.txt. .", "F.\\f1.txt", "F \\f1.txt",
          "F..\\f1.txt", "F. \\f1.txt", "a.txt\\", "F\\", "F.\\", "F\\f1.txt\\", ".\\a.txt",
          "F\\..\\a.txt", "a.txt\\..\\a.txt", "F\\. ."}) {
        Observe("attributes of \"" + std::string(path) + "\"", Attributes(path));
    }
    Observe("content through other capitals", Content("F\\F1.TXT"));
    Observe("open a file with trailing backslash", Content("a.txt\\"));
    Observe("delete with trailing backslash", Outcome(scenario::DeleteFile("F\\f1.txt\\")));
    Put("trail. ", "trailing dot and blank");
    Observe("find with other capitals", Listing("A.TXT"));
    Observe("find a folder with trailing backslash", Listing("F\\"));
    Observe("find a folder by name", Listing("F"));
    Observe("find in a missing folder", Listing("none\\*"));
    Observe("find nothing", Listing("F\\*.none"));
    Observe("find the name left by a trailing dot and blank", Listing("trail*"));
}

void Wildcards() {
    for (const char* pattern :
         {"*.*",   "*",    "*.",      "abc.*", "a?c.*", "a??.*", "?",    "??",
          "*.t?t", "a*",   "*c",      "x.t*",  "*.t",   "a?c",   "ab?",  "*.*.*",
          "?.?",   "abc.", "ABC.TXT", "*x*",   "x.?",   "x.??",  "x.???"}) {
        const std::string path = "W\\" + std::string(pattern);
        Observe("find " + path, Listing(path.c_str()));
    }
}

void Copies() {
    Put("T\\src.txt", "source");
    Put("T\\dst.txt", "old");
    Observe("copy fail-if-exists", Outcome(scenario::CopyFile("T\\src.txt", "T\\dst.txt", true)));
    Observe("copy over a file", Outcome(scenario::CopyFile("T\\src.txt", "T\\dst.txt", false)));
    Observe("copied content", Content("T\\dst.txt"));
    Put("T\\ro-target.txt", "old");
    scenario::SetFileAttributes("T\\ro-target.txt", kReadOnly);
    Observe("copy over read-only",
            Outcome(scenario::CopyFile("T\\src.txt", "T\\ro-target.txt", false)));
    Put("T\\hidden-target.txt", "old");
    scenario::SetFileAttributes("T\\hidden-target.txt", kHidden);
    Observe("copy over hidden",
            Outcome(scenario::CopyFile("T\\src.txt", "T\\hidden-target.txt", false)));
    Observe("copy over a folder", Outcome(scenario::CopyFile("T\\src.txt", "F", false)));
    Observe("copy a missing file", Outcome(scenario::CopyFile("none.txt", "T\\x.txt", false)));
    Observe("copy a folder", Outcome(scenario::CopyFile("F", "T\\folder-copy", false)));
    Observe("copy into a missing folder",
            Outcome(scenario::CopyFile("T\\src.txt", "none\\x.txt", false)));
    Put("T\\hidden-source.txt", "hidden source");
    scenario::SetFileAttributes("T\\hidden-source.txt", kHidden);
    ObserveCall("copy keeps the source's attributes",
                scenario::CopyFile("T\\hidden-source.txt", "T\\copy-of-hidden.txt", true),
                "T\\copy-of-hidden.txt");
    Observe("copy onto itself", Outcome(scenario::CopyFile("T\\src.txt", "T\\SRC.TXT", false)));
}

void Moves() {
    Put("T\\m1.txt", "m1");
    Put("T\\m2.txt", "m2");
    Observe("move onto an existing file", Outcome(scenario::MoveFile("T\\m1.txt", "T\\m2.txt")));
    Observe("move-ex onto an existing file without replace",
            Outcome(scenario::MoveFileEx("T\\m1.txt", "T\\m2.txt", 0)));
    Observe("move-ex replace",
            Outcome(scenario::MoveFileEx("T\\m1.txt", "T\\m2.txt", kReplaceExisting)));
    Observe("replaced content", Content("T\\m2.txt"));
    Put("T\\m3.txt", "m3");
    Put("T\\ro-move.txt", "ro");
    scenario::SetFileAttributes("T\\ro-move.txt", kReadOnly);
    Observe("move-ex replace read-only",
            Outcome(scenario::MoveFileEx("T\\m3.txt", "T\\ro-move.txt", kReplaceExisting)));
    Put("T\\m4.txt", "m4");
    Put("T\\hid-move.txt", "hidden");
    scenario::SetFileAttributes("T\\hid-move.txt", kHidden);
    ObserveCall("move-ex replace hidden",
                scenario::MoveFileEx("T\\m4.txt", "T\\hid-move.txt", kReplaceExisting),
                "T\\hid-move.txt");
    Observe("move-ex replace a folder",
            Outcome(scenario::MoveFileEx("T\\m2.txt", "F", kReplaceExisting)));
    Put("T\\case.txt", "case");
    Observe("rename to other capitals", Outcome(scenario::MoveFile("T\\case.txt", "T\\CASE.TXT")));
    Observe("name after renaming to other capitals", Listing("T\\case*"));
    Put("T\\Spelled.txt", "old spelling");
    Put("T\\newer.txt", "newer");
    Observe("move-ex replace an entry in other capitals",
            Outcome(scenario::MoveFileEx("T\\newer.txt", "T\\spelled.TXT", kReplaceExisting)));
    Observe("name after replacing in other capitals", Listing("T\\spelled*"));
    Observe("move a missing file", Outcome(scenario::MoveFile("none.txt", "T\\x.txt")));
    Observe("move into a missing folder", Outcome(scenario::MoveFile("T\\m2.txt", "none\\x")));
    scenario::CreateDirectory("T\\sub");
    Put("T\\sub\\inner.txt", "inner");
    ObserveCall("move a folder", scenario::MoveFile("T\\sub", "T\\moved"), "T\\moved\\inner.txt");
    Observe("move a folder into itself", Outcome(scenario::MoveFile("T\\moved", "T\\moved\\in")));
    // What the renames above left differs where the answers did; the tree's storage is
    // compared without it.
    scenario::SetFileAttributes("T\\ro-move.txt", kNormal);
    for (const char* left : {"T\\case.txt", "T\\spelled.txt", "T\\ro-move.txt", "T\\m3.txt"}) {
        scenario::DeleteFile(left);
    }
}

std::string FreeSpace(const char* path) {
    std::uint64_t available = 0, total = 0, totalFree = 0;
    if (!scenario::GetDiskFreeSpaceEx(path, available, total, totalFree)) return Failed();
    // The numbers change from run to run; what must hold between them does not.
    std::string seen = "ok";
    seen += available > 0 ? ", some free" : ", none free";
    seen += total >= available ? ", total at least free" : ", total below free";
    seen += totalFree == available ? ", all free is the caller's" : ", more free than the caller's";
    return seen;
}

void DiskFreeSpace() {
    for (const char* path : {".", "F", "F\\", "none", "none\\", "a.txt", "none\\sub\\"}) {
        Observe("free space of \"" + std::string(path) + "\"", FreeSpace(path));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: fs_scenario FOLDER (an empty folder to build the tree in)\n", stderr);
        return 2;
    }
    if (!scenario::Begin(argv[1])) {
        std::fprintf(stderr, "fs_scenario: cannot work in %s\n", argv[1]);
        return 2;
    }
    BuildTree();
    Directories();
    AttributeBits();
    Lookups();
    Wildcards();
    Copies();
    Moves();
    DiskFreeSpace();
    return 0;
}
