#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "canvas/undo_list.h"
#include "support/exception.h"

namespace nerim {
namespace {

// An entry of a given size that tells when it is freed.
class TSizedEntry : public IUndoElement {
public:
    TSizedEntry(int id, int size, std::vector<int>* freed) : id_(id), size_(size), freed_(freed) {}
    ~TSizedEntry() override {
        if (freed_) freed_->push_back(id_);
    }
    std::string GetUndoCaption() const override { return "u"; }
    std::string GetRedoCaption() const override { return "r"; }
    int MemorySize() const override { return size_; }
    bool CanUndo() const override { return false; }
    bool CanRedo() const override { return false; }
    void DoUndo() override {}
    void DoRedo() override {}
    int Id() const { return id_; }

private:
    int id_;
    int size_;
    std::vector<int>* freed_;
};

std::vector<int> Ids(const TUndoList& list) {
    std::vector<int> ids;
    for (int i = 0; i < list.Count(); ++i) ids.push_back(static_cast<TSizedEntry&>(list.Items(i)).Id());
    return ids;
}

TEST(UndoList, StartsEmpty) {
    TUndoList list;
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Current(), -1);
    EXPECT_EQ(list.MemUsed(), 0);
    EXPECT_EQ(list.MaxMem(), 0);
    EXPECT_EQ(list.MaxDepth(), 0);
    EXPECT_FALSE(list.Locked());
}

TEST(UndoList, DepthBoundKeepsTheNewestEntries) {
    std::vector<int> freed;
    TUndoList list;
    list.SetMaxDepth(3);
    for (int id = 1; id <= 5; ++id) list.Add(std::make_unique<TSizedEntry>(id, 1, &freed));
    EXPECT_EQ(Ids(list), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(list.Current(), 2);
    EXPECT_EQ(list.MemUsed(), 3);
    EXPECT_EQ(freed, (std::vector<int>{1, 2}));
}

TEST(UndoList, MemoryBoundDropsTheOldestFirst) {
    std::vector<int> freed;
    TUndoList list;
    list.SetMaxMem(8);
    for (int id = 1; id <= 3; ++id) list.Add(std::make_unique<TSizedEntry>(id, 4, &freed));
    EXPECT_EQ(Ids(list), (std::vector<int>{2, 3}));
    EXPECT_EQ(list.MemUsed(), 8);
    EXPECT_EQ(list.Current(), 1);
    EXPECT_EQ(freed, (std::vector<int>{1}));
}

TEST(UndoList, AnEntryLargerThanTheLimitIsStoredAlone) {
    TUndoList list;
    list.SetMaxMem(8);
    list.Add(std::make_unique<TSizedEntry>(1, 4, nullptr));
    list.Add(std::make_unique<TSizedEntry>(2, 20, nullptr));
    EXPECT_EQ(Ids(list), (std::vector<int>{2}));
    EXPECT_EQ(list.MemUsed(), 20);
    EXPECT_EQ(list.Current(), 0);
}

TEST(UndoList, LockedListFreesWhatIsAddedAndDoesNotNotify) {
    std::vector<int> freed;
    int changes = 0;
    TUndoList list;
    list.OnChange = [&](TUndoList&) { ++changes; };
    list.Add(std::make_unique<TSizedEntry>(1, 4, &freed));
    EXPECT_EQ(changes, 1);
    list.SetLocked(true);
    list.Add(std::make_unique<TSizedEntry>(2, 4, &freed));
    EXPECT_EQ(freed, (std::vector<int>{2}));
    EXPECT_EQ(Ids(list), (std::vector<int>{1}));
    EXPECT_EQ(list.MemUsed(), 4);
    EXPECT_EQ(changes, 1);
}

TEST(UndoList, LoweringTheDepthTrimsOnlyAtTheNextAdd) {
    TUndoList list;
    for (int id = 1; id <= 4; ++id) list.Add(std::make_unique<TSizedEntry>(id, 1, nullptr));
    list.SetMaxDepth(2);
    list.SetMaxMem(1);
    EXPECT_EQ(list.Count(), 4);
    list.SetMaxMem(0);
    list.Add(std::make_unique<TSizedEntry>(5, 1, nullptr));
    EXPECT_EQ(Ids(list), (std::vector<int>{4, 5}));
    EXPECT_EQ(list.Current(), 1);
}

TEST(UndoList, DeleteAtFreesAndLeavesCurrentToTheCaller) {
    std::vector<int> freed;
    TUndoList list;
    for (int id = 1; id <= 3; ++id) list.Add(std::make_unique<TSizedEntry>(id, id, &freed));
    list.DeleteAt(1);
    EXPECT_EQ(Ids(list), (std::vector<int>{1, 3}));
    EXPECT_EQ(list.MemUsed(), 4);
    EXPECT_EQ(list.Current(), 2);
    EXPECT_EQ(freed, (std::vector<int>{2}));
    EXPECT_THROW(list.DeleteAt(2), EListIndexError);
    EXPECT_THROW(list.DeleteAt(-1), EListIndexError);
    // Nothing after Current: no truncation and no notification.
    int changes = 0;
    list.OnChange = [&](TUndoList&) { ++changes; };
    list.TruncateRedo();
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(list.Count(), 2);
}

TEST(UndoList, NegativeDepthDoesNotEmptyPastTheStart) {
    TUndoList list;
    list.SetMaxDepth(-3);
    list.Add(std::make_unique<TSizedEntry>(1, 1, nullptr));
    list.Add(std::make_unique<TSizedEntry>(2, 1, nullptr));
    EXPECT_EQ(Ids(list), (std::vector<int>{2}));
}

}  // namespace
}  // namespace nerim
