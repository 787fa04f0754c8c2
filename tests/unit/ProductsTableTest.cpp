#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "source_info/CFreewareProductsContainer.h"
#include "tests/fake/FakeWindowsTest.h"

using ProductsTableTest = FakeWindowsTest;

TEST_F(ProductsTableTest, HoldsTheTwentyProductsInIdentifierOrder) {
    const std::vector<std::pair<int, std::string>> expected = {
        {0x10001, "Freeware - Ambrevel"},    {0x10002, "Freeware - Brindomar"},  {0x10003, "Freeware - Corvessa"},
        {0x10004, "Freeware - Dunmarrow"},   {0x10005, "Freeware - Elmsgrove"},  {0x10006, "Freeware - Fallowmere"},
        {0x10007, "Freeware - Gorsewick"},   {0x10008, "Freeware - Hollenbray"}, {0x10009, "Freeware - Ivelstan"},
        {0x1000A, "Freeware - Juniperholt"}, {0x1000B, "Freeware - Kestrelby"},  {0x1000C, "Freeware - Lindqvale"},
        {0x1000D, "Freeware - Marrowfen"},   {0x1000E, "Freeware - Tessaly"},    {0x1000F, "Freeware - Nettlecombe"},
        {0x10010, "Freeware - Orrisdale"},   {0x10011, "Freeware - Pellingham"}, {0x10012, "Freeware - Quennell"},
        {0x10013, "Freeware - Rossington"},  {0x10014, "Freeware - Sallowby"},
    };
    const CFreewareProductsContainer table;
    std::vector<std::pair<int, std::string>> rows;
    for (const auto& row : table) {
        rows.emplace_back(row.first, row.second.GetString());
        EXPECT_EQ(row.second.GetLength(), static_cast<int>(std::strlen(row.second)));
    }
    EXPECT_EQ(rows, expected);
}

TEST_F(ProductsTableTest, GivesTheKeyNameOfTheInstalledProductAsASharedCopy) {
    const CFreewareProductsContainer table;
    CStringA keyName = table.GetProductKeyName();
    EXPECT_STREQ(keyName, "Freeware - Tessaly");
    EXPECT_EQ(keyName.GetLength(), 18);
    EXPECT_EQ(keyName.GetString(), table.at(kProductTessaly).GetString());

    keyName += "!";
    EXPECT_STREQ(table.at(kProductTessaly), "Freeware - Tessaly");
}

TEST_F(ProductsTableTest, AMissingRowGivesTheEmptyStringWithoutAddingOne) {
    CFreewareProductsContainer table;
    table.erase(kProductTessaly);
    EXPECT_STREQ(table.GetProductKeyName(), "");
    EXPECT_EQ(table.size(), 19u);
}
