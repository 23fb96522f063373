#include "chart/chart_component.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <cstdint>
#include <QWidget>
#include <memory>
#include <vector>

namespace {

std::uintptr_t Address(const QObject* o)
{
    return reinterpret_cast<std::uintptr_t>(o);
}

// Records what it is told.
class TRecorder : public TComponent {
public:
    using TComponent::TComponent;
    ~TRecorder() override
    {
        if (DestroyingSeen)
            *DestroyingSeen = Destroying();
    }

    std::vector<std::uintptr_t> Freed;  // addresses of freed objects
    int LoadedCalls = 0;
    bool LoadingInLoaded = true;
    bool* DestroyingSeen = nullptr;

protected:
    void Notification(QObject* AComponent) override { Freed.push_back(Address(AComponent)); }
    void Loaded() override
    {
        ++LoadedCalls;
        LoadingInLoaded = Loading();
    }
};

TEST(TComponentOwnership, OwnerFreesWhatItOwns)
{
    auto owner = std::make_unique<TComponent>();
    QPointer<TComponent> a = new TComponent(owner.get());
    QPointer<TComponent> b = new TComponent(a.data());
    EXPECT_EQ(a->Owner(), owner.get());
    owner.reset();
    EXPECT_TRUE(a.isNull());
    EXPECT_TRUE(b.isNull());
}

TEST(TComponentOwnership, OwnedComponentsSeeTheirOwnerBeingFreed)
{
    bool seen = false;
    {
        TComponent owner;
        auto* owned = new TRecorder(&owner);
        owned->DestroyingSeen = &seen;
        EXPECT_FALSE(owned->Destroying());
    }
    EXPECT_TRUE(seen);
}

TEST(TComponentNames, FindsAnOwnedComponentByName)
{
    QWidget form;  // an owner that is no component
    TComponent series1(&form);
    TComponent series2(&form);
    series1.SetName("Series1");
    series2.SetName("Series2");
    TComponent nested(&series1);
    nested.SetName("Nested");

    EXPECT_EQ(FindComponent(&form, "Series2"), &series2);
    EXPECT_EQ(FindComponent(&form, "SERIES1"), &series1);  // ASCII case folded
    EXPECT_EQ(FindComponent(&form, "Nested"), nullptr);     // only what the owner owns
    EXPECT_EQ(series1.FindComponent("nested"), &nested);
    EXPECT_EQ(FindComponent(&form, ""), nullptr);
    EXPECT_EQ(FindComponent(&form, "Series3"), nullptr);
    EXPECT_EQ(series2.Name(), "Series2");
}

TEST(TComponentNotification, FreedLinkedComponentIsReported)
{
    TRecorder grid;
    auto* series = new TComponent;
    grid.FreeNotification(series);
    grid.FreeNotification(series);  // linked once
    const std::uintptr_t address = Address(series);
    delete series;
    EXPECT_EQ(grid.Freed, (std::vector<std::uintptr_t>{address}));
}

TEST(TComponentNotification, LinkWorksBothWays)
{
    auto* a = new TRecorder;
    TRecorder b;
    a->FreeNotification(&b);
    const std::uintptr_t address = Address(a);
    delete a;
    EXPECT_EQ(b.Freed, (std::vector<std::uintptr_t>{address}));
}

TEST(TComponentNotification, RemovedLinkIsSilent)
{
    TRecorder grid;
    auto* series = new TRecorder;
    grid.FreeNotification(series);
    series->RemoveFreeNotification(&grid);  // drops both directions
    delete series;
    EXPECT_TRUE(grid.Freed.empty());
}

TEST(TComponentNotification, AnyObjectCanBeWatched)
{
    TRecorder series;
    auto* chart = new QWidget;
    series.FreeNotification(chart);
    const std::uintptr_t address = Address(chart);
    delete chart;
    EXPECT_EQ(series.Freed, (std::vector<std::uintptr_t>{address}));
}

TEST(TComponentNotification, LinkEndsWithTheWatcher)
{
    auto* series = new TRecorder;
    auto* grid = new TRecorder;
    grid->FreeNotification(series);
    const std::uintptr_t gridAddress = Address(grid);
    delete grid;
    EXPECT_EQ(series->Freed, (std::vector<std::uintptr_t>{gridAddress}));
    delete series;  // the freed grid's link is gone: nothing is called on it
}

TEST(TComponentNotification, OwnerLinkedToWhatItOwnsIsNotCalledWhileFreed)
{
    auto* owner = new TRecorder;
    auto* owned = new TRecorder(owner);
    TRecorder watcher;
    owner->FreeNotification(owned);
    watcher.FreeNotification(owned);
    const std::uintptr_t ownedAddress = Address(owned);
    delete owner;
    EXPECT_EQ(watcher.Freed, (std::vector<std::uintptr_t>{ownedAddress}));
}

TEST(TComponentLoading, LoadedRunsOnceWhenTheOutermostLoadEnds)
{
    TRecorder c;
    EXPECT_FALSE(c.Loading());
    c.BeginLoading();
    c.BeginLoading();
    EXPECT_TRUE(c.Loading());
    c.EndLoading();
    EXPECT_TRUE(c.Loading());
    EXPECT_EQ(c.LoadedCalls, 0);
    c.EndLoading();
    EXPECT_FALSE(c.Loading());
    EXPECT_EQ(c.LoadedCalls, 1);
    EXPECT_FALSE(c.LoadingInLoaded);
}

}  // namespace
