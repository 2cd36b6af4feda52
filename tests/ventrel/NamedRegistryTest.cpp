#include <gtest/gtest.h>
#include <ventrel/system/NamedRegistry.h>

namespace {

using ventrel::system::NamedRegistry;

// Notes its deletion, and what the registry still found of its name while it was deleted.
struct Item {
    Item(kit::String name, kit::Array<kit::String>* deleted, const NamedRegistry<Item>* registry = nullptr)
        : name(std::move(name)), deleted(deleted), registry(registry) {}
    ~Item() {
        bool found = registry && registry->contains(name);
        deleted->push_back(name + (found ? " (still found)" : ""));
    }
    const kit::String& getName() const { return name; }

    kit::String name;
    kit::Array<kit::String>* deleted;
    const NamedRegistry<Item>* registry;
};

TEST(NamedRegistry, KeepsTheOrderRefusesADoubleAndThrowsForAnUnknownName) {
    kit::Array<kit::String> deleted;
    NamedRegistry<Item> registry("overlay", "ventrel");
    Item* first = registry.add(std::make_unique<Item>("b", &deleted));
    registry.add(std::make_unique<Item>("a", &deleted));
    EXPECT_EQ(registry.find("b"), first);
    ASSERT_EQ(registry.view().size(), 2u);
    EXPECT_EQ(registry.view()[1]->getName(), "a");

    try {
        registry.add(std::make_unique<Item>("b", &deleted));
        FAIL() << "registered twice";
    } catch (const kit::DuplicateResourceException& e) {
        EXPECT_STREQ(e.what(), "overlay 'b' is registered in 'ventrel' already!");
    }
    // The refused object is deleted; the registered one of its name stays.
    EXPECT_EQ(deleted, kit::Array<kit::String>{"b"});
    EXPECT_EQ(registry.size(), 2u);
    EXPECT_EQ(registry.find("b"), first);

    try {
        registry.find("c");
        FAIL() << "found an unregistered name";
    } catch (const kit::ResourceNotExistsException& e) {
        EXPECT_EQ(e.getName(), "c");
        EXPECT_EQ(e.getKind(), "overlay");
        EXPECT_EQ(e.getContainer(), "ventrel");
    }
    EXPECT_FALSE(registry.contains("c"));
}

// An object being deleted may still look its neighbours up; it no longer finds itself.
TEST(NamedRegistry, ClearingDeletesInRegistrationOrderAndForgetsEachObjectFirst) {
    kit::Array<kit::String> deleted;
    NamedRegistry<Item> registry("dialog", "ventrel");
    for (const char* name : {"one", "two", "three"}) {
        registry.add(std::make_unique<Item>(name, &deleted, &registry));
    }
    EXPECT_TRUE(registry.any([](const Item* item) { return item->getName() == "two"; }));
    registry.clear();
    EXPECT_EQ(deleted, (kit::Array<kit::String>{"one", "two", "three"}));
    EXPECT_TRUE(registry.empty());
    EXPECT_FALSE(registry.any([](const Item*) { return true; }));
}

}  // namespace
