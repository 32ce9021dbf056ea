#include "core/FolderField.h"

#include <gtest/gtest.h>

namespace {

struct FolderCase {
    const wchar_t* text;
    const wchar_t* path;
};

TEST(FolderField, QuotesAndOuterBlanksAreNotPartOfTheFolder) {
    const FolderCase cases[] = {
        {L"C:\\Salida", L"C:\\Salida"},
        {L"  C:\\Salida\t", L"C:\\Salida"},
        {L"\"C:\\Mis Datos\"", L"C:\\Mis Datos"},
        {L" \"C:\\Mis Datos\\\" ", L"C:\\Mis Datos\\"},
        {L"C:\\Mis Datos", L"C:\\Mis Datos"},
        {L"\"", L"\""},
        {L"\"\"", L""},
        {L"   ", L""},
        {L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(core::FolderFieldPath(c.text), c.path) << testing::PrintToString(std::wstring(c.text));
    }
}

} // namespace
