// SPDX-License-Identifier: MIT
#include "core/model/RecordAllocator.h"

#include <QtTest>

#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

using namespace brevanta;

namespace {

// Fills each block with a byte of its own, so that blocks that overlap spoil each other.
void stamp(const std::vector<void*>& blocks, std::size_t size) {
    for (std::size_t index = 0; index < blocks.size(); ++index)
        std::memset(blocks[index], int(index % 251), size);
}

bool stampsIntact(const std::vector<void*>& blocks, std::size_t size) {
    for (std::size_t index = 0; index < blocks.size(); ++index) {
        const auto* bytes = static_cast<const unsigned char*>(blocks[index]);
        if (std::any_of(bytes, bytes + size, [&](unsigned char b) { return b != index % 251; }))
            return false;
    }
    return true;
}

} // namespace

class TestRecordAllocator : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Enough blocks to fill several slabs: none overlaps another, each is aligned, and blocks
    // given back are the ones taken next, before any new slab.
    void blocksAreDistinctAlignedAndReused_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("expectedSize");
        QTest::newRow("smaller than a link") << 3 << 1 << int(sizeof(void*));
        QTest::newRow("entry-like") << 136 << 8 << 136;
        QTest::newRow("rounded to its alignment") << 150 << 16 << 160;
        QTest::newRow("larger than a slab") << 20'000 << 8 << 20'000;
    }
    void blocksAreDistinctAlignedAndReused() {
        QFETCH(int, size);
        QFETCH(int, alignment);
        QFETCH(int, expectedSize);
        FixedBlockPool pool{std::size_t(size), std::size_t(alignment)};
        QCOMPARE(pool.blockSize(), std::size_t(expectedSize));

        std::vector<void*> blocks(400);
        std::generate(blocks.begin(), blocks.end(), [&] { return pool.take(); });
        stamp(blocks, pool.blockSize());
        QVERIFY(stampsIntact(blocks, pool.blockSize()));
        for (void* block : blocks)
            QCOMPARE(reinterpret_cast<std::uintptr_t>(block) % std::size_t(alignment), 0u);

        std::vector<void*> given(blocks.begin(), blocks.begin() + 200);
        for (void* block : given)
            pool.give(block);
        std::vector<void*> retaken(200);
        std::generate(retaken.begin(), retaken.end(), [&] { return pool.take(); });
        std::sort(given.begin(), given.end());
        std::sort(retaken.begin(), retaken.end());
        QCOMPARE(retaken, given);
    }

    // Records are made on the loading thread and die on the main one: blocks taken on one
    // thread and given on another, while both take more, never end up in two hands.
    void threadsShareOnePool() {
        FixedBlockPool pool(48, 8);
        constexpr int rounds = 2000;
        std::vector<void*> made(rounds);
        std::vector<void*> mainThreads;
        std::thread loader([&] {
            for (int round = 0; round < rounds; ++round) {
                made[std::size_t(round)] = pool.take();
                std::memset(made[std::size_t(round)], 0xAB, pool.blockSize());
            }
        });
        for (int round = 0; round < rounds; ++round)
            mainThreads.push_back(pool.take());
        loader.join();
        for (void* block : made)
            pool.give(block);
        stamp(mainThreads, pool.blockSize());

        std::vector<void*> all = mainThreads;
        all.insert(all.end(), made.begin(), made.end());
        std::sort(all.begin(), all.end());
        QVERIFY(std::adjacent_find(all.begin(), all.end()) == all.end());
        std::vector<void*> again(rounds);
        std::thread other(
            [&] { std::generate(again.begin(), again.end(), [&] { return pool.take(); }); });
        other.join();
        std::sort(again.begin(), again.end());
        std::sort(made.begin(), made.end());
        QCOMPARE(again, made);
        QVERIFY(stampsIntact(mainThreads, pool.blockSize()));
    }
};

QTEST_APPLESS_MAIN(TestRecordAllocator)
#include "tst_recordallocator.moc"
