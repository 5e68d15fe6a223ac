// kqcfg: reads and writes a configuration store from the command line, so a
// site or a script can set the System defaults (the factory lists that views
// fall back to) without writing code.
//
//   kqcfg FOLDER NAME dump
//   kqcfg FOLDER NAME get-default CLASS KEY
//   kqcfg FOLDER NAME set-default CLASS KEY [VALUE...]
//   kqcfg FOLDER NAME set-default-file CLASS KEY FILE     (one value a line; UTF-8 or CP950)
//   kqcfg FOLDER NAME get-view VIEW KEY1 KEY2 CLASS KEY int|bool|string|list
//   kqcfg FOLDER NAME set-view VIEW KEY1 KEY2 CLASS KEY int|bool|string|list [VALUE...]
//
// The System store of a configuration folder DIR is: kqcfg DIR/SYS System ...
#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "CodePage.h"
#include "SKQCfgIO2.h"

namespace {

int usage() {
    std::fputs(
        "usage: kqcfg FOLDER NAME dump\n"
        "       kqcfg FOLDER NAME get-default CLASS KEY\n"
        "       kqcfg FOLDER NAME set-default CLASS KEY [VALUE...]\n"
        "       kqcfg FOLDER NAME set-default-file CLASS KEY FILE\n"
        "       kqcfg FOLDER NAME get-view VIEW KEY1 KEY2 CLASS KEY int|bool|string|list\n"
        "       kqcfg FOLDER NAME set-view VIEW KEY1 KEY2 CLASS KEY int|bool|string|list "
        "[VALUE...]\n",
        stderr);
    return 2;
}

bool parseInt(std::string_view text, int& out) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

bool parseBool(std::string_view text, bool& out) {
    if (text == "1" || text == "true") {
        out = true;
        return true;
    }
    if (text == "0" || text == "false") {
        out = false;
        return true;
    }
    return false;
}

int fail(const char* what, const SKQCfgIO2& store) {
    std::fprintf(stderr, "kqcfg: %s (%s)\n", what,
                 store.GetError().empty() ? "not found" : store.GetError().c_str());
    return 1;
}

void printList(const std::vector<CString>& list) {
    for (const auto& item : list)
        std::printf("%s\n", item.c_str());
}

int viewCommand(const SKQCfgIO2& store, bool set, const std::vector<std::string>& a) {
    // a: VIEW KEY1 KEY2 CLASS KEY TYPE [VALUE...]
    int key1 = 0, key2 = 0;
    if (a.size() < 6 || !parseInt(a[1], key1) || !parseInt(a[2], key2))
        return usage();
    const CString view(a[0]), cls(a[3]), key(a[4]);
    const std::string& type = a[5];
    const std::vector<std::string> values(a.begin() + 6, a.end());
    if (type == "list") {
        if (set) {
            std::vector<CString> list(values.begin(), values.end());
            return store.SaveViewInfo(view, key1, key2, cls, key, list)
                       ? 0
                       : fail("cannot save", store);
        }
        std::vector<CString> list;
        if (!store.GetViewInfo(view, key1, key2, cls, key, list))
            return fail("no such list", store);
        printList(list);
        return 0;
    }
    if (set && values.size() != 1)
        return usage();
    if (type == "int") {
        int v = 0;
        if (set) {
            if (!parseInt(values[0], v))
                return usage();
            return store.SaveViewInfo(view, key1, key2, cls, key, v) ? 0
                                                                     : fail("cannot save", store);
        }
        if (!store.GetViewInfo(view, key1, key2, cls, key, v))
            return fail("no such integer", store);
        std::printf("%d\n", v);
        return 0;
    }
    if (type == "bool") {
        bool v = false;
        if (set) {
            if (!parseBool(values[0], v))
                return usage();
            return store.SaveViewInfo(view, key1, key2, cls, key, v) ? 0
                                                                     : fail("cannot save", store);
        }
        if (!store.GetViewInfo(view, key1, key2, cls, key, v))
            return fail("no such boolean", store);
        std::printf("%s\n", v ? "true" : "false");
        return 0;
    }
    if (type == "string") {
        if (set)
            return store.SaveViewInfo(view, key1, key2, cls, key, CString(values[0]))
                       ? 0
                       : fail("cannot save", store);
        CString v;
        if (!store.GetViewInfo(view, key1, key2, cls, key, v))
            return fail("no such string", store);
        std::printf("%s\n", v.c_str());
        return 0;
    }
    return usage();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4)
        return usage();
    const std::vector<std::string> args(argv + 1, argv + argc);
    const SKQCfgIO2 store{CString(args[0]), CString(args[1])};
    if (!store.IsOpen())
        return fail("cannot open the store", store);
    const std::string& command = args[2];
    const std::vector<std::string> rest(args.begin() + 3, args.end());

    if (command == "dump") {
        for (const auto& line : store.Dump())
            std::printf("%s\n", line.c_str());
        return 0;
    }
    if (command == "get-default" && rest.size() == 2) {
        std::vector<CString> list;
        if (!store.GetViewDefaultInfo(CString(rest[0]), CString(rest[1]), list))
            return fail("no such default", store);
        printList(list);
        return 0;
    }
    if (command == "set-default" && rest.size() >= 2) {
        const std::vector<CString> list(rest.begin() + 2, rest.end());
        return store.SaveViewDefaultInfo(CString(rest[0]), CString(rest[1]), list)
                   ? 0
                   : fail("cannot save", store);
    }
    if (command == "set-default-file" && rest.size() == 3) {
        std::ifstream in(rest[2], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "kqcfg: cannot read %s\n", rest[2].c_str());
            return 1;
        }
        std::ostringstream bytes;
        bytes << in.rdbuf();
        std::istringstream lines(codepage::DecodeLegacy(bytes.str()));
        std::vector<CString> list;
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!line.empty())
                list.emplace_back(line);
        }
        return store.SaveViewDefaultInfo(CString(rest[0]), CString(rest[1]), list)
                   ? 0
                   : fail("cannot save", store);
    }
    if (command == "get-view")
        return viewCommand(store, false, rest);
    if (command == "set-view")
        return viewCommand(store, true, rest);
    return usage();
}
