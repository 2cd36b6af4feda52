#include <gtest/gtest.h>
#include <kit/EnumerationType.h>

namespace {

class Fruit : public kit::EnumerationType<Fruit> {
public:
    static constexpr const char* TypeName = "TestFruit";
    using EnumerationType::EnumerationType;
    static const Fruit Apple, Pear, Plum;
};
const Fruit Fruit::Apple("Apple");
const Fruit Fruit::Pear("Pear");
const Fruit Fruit::Plum("Plum", 10);

}  // namespace

TEST(Enumeration, NamesAreNumberedInOrderUnlessGiven) {
    EXPECT_EQ(Fruit::Apple.getValue(), 0u);
    EXPECT_EQ(Fruit::Pear.getValue(), 1u);
    EXPECT_EQ(Fruit::Plum.getValue(), 10u);
    EXPECT_EQ(Fruit("Pear"), Fruit::Pear);
    EXPECT_EQ(Fruit::fromInt(10).getName(), "Plum");
    EXPECT_EQ(Fruit::fromName("Apple"), Fruit::Apple);
    EXPECT_LT(Fruit::Pear, Fruit::Plum);
}

TEST(Enumeration, UnknownValuesAndNamesRaise) {
    EXPECT_THROW(Fruit::fromInt(5), kit::EnumerationValueNotExistsException);
    EXPECT_THROW(Fruit::fromInt(-1), kit::EnumerationValueNotExistsException);
    EXPECT_THROW(Fruit::fromName("Kiwi"), kit::EnumerationValueNotExistsException);
    try {
        Fruit::fromName("Kiwi");
    } catch (const kit::EnumerationValueNotExistsException& e) {
        EXPECT_EQ(e.getTypeName(), "TestFruit");
        EXPECT_EQ(e.getValue(), "Kiwi");
    }
    EXPECT_TRUE(Fruit::hasValue("Pear"));
    EXPECT_FALSE(Fruit::hasValue("Kiwi"));
    EXPECT_TRUE(Fruit::hasValueFor(10));
    EXPECT_FALSE(Fruit::hasValueFor(-3));
    EXPECT_FALSE(Fruit().isValid());
}

TEST(Enumeration, NeighboursWrapInValueOrder) {
    EXPECT_EQ(Fruit::Apple.next(), Fruit::Pear);
    EXPECT_EQ(Fruit::Pear.next(), Fruit::Plum);
    EXPECT_EQ(Fruit::Plum.next(), Fruit::Apple);
    EXPECT_EQ(Fruit::Apple.previous(), Fruit::Plum);
    auto values = Fruit::getValues();
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[2], Fruit::Plum);
}
