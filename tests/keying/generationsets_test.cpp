#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "keying/generationsets.h"

using namespace kelvatron;

// A draw r selects entry r, so the order is part of what a seed produces.
TEST(GenerationSets, HoldTheirCharactersInDrawOrder) {
    std::string all;
    for (std::string_view set : kGenerationSets)
        all += fromCp1251(std::string(set)) + " ";
    EXPECT_EQ(all,
              "0123456789 АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЬЫЭЮЯ ABCDEFGHIKLMNOPQRSTUWVXYZJ "
              "0123456789АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЬЫЭЮЯ 0123456789ABCDEFGHIKLMNOPQRSTUWVXYZJ ");
}
