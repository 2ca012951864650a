// vurofkey.dat, the function-key table, read from a file as the editor reads it at start.
#include "settings/FkeyTable.h"
#include "tests/fuzz/FuzzSupport.h"

#include <QFile>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    return FuzzSupport::Initialize(argc, argv);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = FuzzSupport::WriteInput("vurofkey.dat", data, size);
    std::string first;
    {
        CFkeyTable table;
        table.Load(path);
        first = table.Serialize();
        FUZZ_CHECK(first.size() == static_cast<std::size_t>(CFkeyTable::kFileSize));
        for (int code = -1; code < 60; ++code)
            table.Find(code);
        for (int i = -1; i <= CFkeyTable::kRecords; ++i)
            FUZZ_CHECK(table.GetText(i).size() <= static_cast<std::size_t>(CFkeyTable::kTextSize));
    } // writes the file back, as the editor does at exit
    // What was written reads back as the same table.
    CFkeyTable again;
    again.Load(path);
    FUZZ_CHECK(again.Serialize() == first);
    QFile::remove(path);
    return 0;
}
