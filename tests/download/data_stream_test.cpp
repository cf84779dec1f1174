// Received bytes pass through the data stream and into the memory stream whole and in order,
// however they are cut on arrival and however much is asked for at a time.
#include "download/data_stream.h"
#include "download/memory_stream.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

TEST(DataStream, BlocksHoldEveryByteInOrderEachFollowedByAZero) {
    std::mt19937 random(14);
    for (int round = 0; round < 60; ++round) {
        DataStream stream;
        TMemoryStream memory;
        std::vector<std::uint8_t> block;
        std::string sent;
        const std::uint64_t announced = round % 3 == 0 ? 0 : random() % 300000;
        stream.expect(announced);
        for (int turn = 0; turn < 20; ++turn) {
            for (int piece = random() % 4; piece > 0; --piece) {
                std::string bytes(random() % 70000 + 1, '\0');
                for (auto& c : bytes) c = static_cast<char>(random());
                stream.append(bytes.data(), bytes.size());
                sent += bytes;
            }
            // The binding callback's loop: read what waits, in blocks, until nothing is left.
            const auto n = static_cast<Cardinal>(round % 2 ? stream.waiting() : random() % 50000);
            Cardinal got = 0;
            do {
                stream.ReadBlock(block, static_cast<Cardinal>(std::min<std::size_t>(n, stream.waiting())), got);
                ASSERT_EQ(block.size(), got + std::size_t{1});
                ASSERT_EQ(block[got], 0);
                memory.write_block(block, got, static_cast<std::size_t>(announced));
            } while (got != 0);
        }
        ASSERT_EQ(memory.view(), sent) << "round " << round;
        EXPECT_EQ(memory.position(), memory.size());
    }
}

TEST(MemoryStream, ABlockTakenOverOrCopiedReadsTheSame) {
    struct Case {
        std::size_t room_wanted;  // 0: the first block becomes the stream's storage
        std::size_t first_length;
    } const cases[] = {{0, 3}, {1 << 20, 3}, {0, 0}};
    for (const auto& c : cases) {
        TMemoryStream memory;
        std::vector<std::uint8_t> first{'a', 'b', 'c', 'd', 0};
        std::vector<std::uint8_t> second{'X', 'Y', 0};
        memory.write_block(first, c.first_length, c.room_wanted);
        memory.write_block(second, 2, c.room_wanted);
        EXPECT_EQ(memory.view(), std::string("abcd").substr(0, c.first_length) + "XY");
        EXPECT_EQ(memory.position(), memory.size());
    }
}

}  // namespace
