// The component stream around the images: value types, skipping what the
// editor does not use, defaults, order values, colours and graphic classes.

#include <gtest/gtest.h>

#include "model/imageset/dxg_file.h"
#include "test_bytes.h"

namespace klv {
namespace {

using testing::Bytes;

ImageSet ParseOk(const Bytes& file) {
    ImageSet set;
    const auto result = ParseImageSet(file.data(), file.size(), set);
    EXPECT_TRUE(result.Ok) << result.Error;
    return set;
}

std::string ParseError(const Bytes& file) {
    ImageSet set;
    const auto result = ParseImageSet(file.data(), file.size(), set);
    EXPECT_FALSE(result.Ok);
    return result.Error;
}

Bytes Props(std::initializer_list<std::pair<std::string, Bytes>> properties) {
    Bytes out;
    for (const auto& [name, value] : properties) testing::Property(out, name, value);
    return out;
}

// One value of every type of the format, as an unknown property would hold it.
std::vector<std::pair<const char*, Bytes>> ValuesOfEveryType() {
    Bytes nestedCollection = {14};
    testing::Append(nestedCollection, testing::Item(Props({{"X", testing::IntValue(1)}})));
    testing::Append(nestedCollection, testing::Item(Props({{"Y", testing::StringValue("z")}}), testing::IntValue(7)));
    testing::Append(nestedCollection, testing::Item({}, testing::Int32Value(70000)));
    nestedCollection.push_back(0);
    return {
        {"null", {0}},
        {"list", {1, 2, 5, 6, 1, 'a', 1, 9, 0, 0}},
        {"int8", {2, 0xFF}},
        {"int16", {3, 1, 2}},
        {"int32", {4, 1, 2, 3, 4}},
        {"int64", {19, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"extended", {5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
        {"string", testing::StringValue("abc")},
        {"identifier", testing::IdentValue("alNone")},
        {"false", {8}},
        {"true", {9}},
        {"binary", testing::BinaryValue({0, 0, 0})},
        {"set", {11, 1, 'x', 2, 'y', 'z', 0}},
        {"long string", {12, 2, 0, 0, 0, 'h', 'i'}},
        {"nil", {13}},
        {"collection", nestedCollection},
        {"single", {15, 0, 0, 0x80, 0x3F}},
        {"currency", {16, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"date", {17, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"wide string", {18, 2, 0, 0, 0, 'h', 0, 'i', 0}},
        {"UTF-8 string", {20, 2, 0, 0, 0, 'h', 'i'}},
    };
}

TEST(ComponentStream, UnknownPropertiesOfEveryTypeAreSkipped) {
    for (const auto& [label, value] : ValuesOfEveryType()) {
        SCOPED_TRACE(label);
        Bytes itemProps;
        testing::Property(itemProps, "Mystery", value);
        testing::Property(itemProps, "Name", testing::StringValue("after"));
        testing::Property(itemProps, "Hint.Text", value);
        Bytes componentProps;
        testing::Property(componentProps, "Tag", value);
        const Bytes file = testing::Resource(testing::Stream({testing::Item(itemProps)}, true, componentProps));
        const ImageSet set = ParseOk(file);
        ASSERT_EQ(set.Items.size(), 1u);
        EXPECT_EQ(set.Items[0].Name, "after");
    }
}

TEST(ComponentStream, AbsentPropertiesTakeTheirDefaults) {
    for (const bool colourTable : {true, false}) {
        const ImageSet set = ParseOk(testing::ImageSetFile({testing::Item({})}, colourTable));
        ASSERT_EQ(set.Items.size(), 1u);
        const ImageItem& item = set.Items[0];
        EXPECT_EQ(item.Name, "");
        EXPECT_EQ(item.PatternWidth, 0);
        EXPECT_EQ(item.PatternHeight, 0);
        EXPECT_EQ(item.SkipWidth, 0);
        EXPECT_EQ(item.SkipHeight, 0);
        EXPECT_TRUE(item.Transparent);
        EXPECT_EQ(item.TransparentColor, 0u);
        EXPECT_FALSE(item.SystemMemory);
        EXPECT_EQ(item.Picture.GraphicClass, "");
        EXPECT_TRUE(item.Picture.Empty());
    }
    EXPECT_TRUE(ParseOk(testing::ImageSetFile({})).Items.empty());
}

TEST(ComponentStream, PropertiesInAnyOrderWithOrderValues) {
    const Bytes reversed = Props({{"TransparentColor", testing::IntValue(0x123456)},
                                  {"Transparent", testing::BoolValue(false)},
                                  {"SystemMemory", testing::BoolValue(true)},
                                  {"SkipWidth", testing::IntValue(-3)},
                                  {"SkipHeight", testing::IntValue(300)},
                                  {"PatternWidth", testing::IntValue(70000)},
                                  {"PatternHeight", testing::Int32Value(5)},
                                  {"Name", testing::StringValue("second")}});
    const ImageSet set = ParseOk(testing::ImageSetFile({
        testing::Item(Props({{"Name", testing::StringValue("first")}}), testing::IntValue(0)),
        testing::Item(reversed, testing::IntValue(1000)),
        testing::Item(Props({{"Name", testing::StringValue("third")}}), testing::Int32Value(2)),
    }));
    ASSERT_EQ(set.Items.size(), 3u);
    EXPECT_EQ(set.Items[0].Name, "first");
    EXPECT_EQ(set.Items[2].Name, "third");
    const ImageItem& item = set.Items[1];
    EXPECT_EQ(item.Name, "second");
    EXPECT_EQ(item.PatternWidth, 70000);
    EXPECT_EQ(item.PatternHeight, 5);
    EXPECT_EQ(item.SkipWidth, -3);
    EXPECT_EQ(item.SkipHeight, 300);
    EXPECT_FALSE(item.Transparent);
    EXPECT_TRUE(item.SystemMemory);
    EXPECT_EQ(item.TransparentColor, 0x123456u);
}

TEST(ComponentStream, TransparentColorAsNumberOrIdentifier) {
    const std::vector<std::pair<Bytes, std::uint32_t>> cases = {
        {testing::IntValue(0xFF00FF), 0xFF00FFu},      {testing::IdentValue("clFuchsia"), 0xFF00FFu},
        {testing::IdentValue("clRed"), 0x0000FFu},     {testing::IdentValue("clSkyBlue"), 0xF0CAA6u},
        {testing::IdentValue("clMedGray"), 0xA4A0A0u}, {testing::IdentValue("CLWHITE"), 0xFFFFFFu},
    };
    for (const auto& [value, expected] : cases) {
        const ImageSet set = ParseOk(testing::ImageSetFile({testing::Item(Props({{"TransparentColor", value}}))}));
        ASSERT_EQ(set.Items.size(), 1u);
        EXPECT_EQ(set.Items[0].TransparentColor, expected);
    }
    const std::string error =
        ParseError(testing::ImageSetFile({testing::Item(Props({{"TransparentColor", testing::IdentValue("clNotAColour")}}))}));
    EXPECT_NE(error.find("clNotAColour"), std::string::npos) << error;
}

TEST(ComponentStream, NamesInEveryStringForm) {
    const std::vector<std::pair<Bytes, std::string>> cases = {
        {testing::StringValue("short"), "short"},
        {Bytes{12, 4, 0, 0, 0, 'l', 'o', 'n', 'g'}, "long"},
        {Bytes{20, 3, 0, 0, 0, 'u', 't', 'f'}, "utf"},
        {Bytes{18, 2, 0, 0, 0, 'W', 0, 0xE9, 0}, "W\xC3\xA9"},
    };
    for (const auto& [value, expected] : cases) {
        const ImageSet set = ParseOk(testing::ImageSetFile({testing::Item(Props({{"Name", value}}))}));
        ASSERT_EQ(set.Items.size(), 1u);
        EXPECT_EQ(set.Items[0].Name, expected);
    }
}

TEST(ComponentStream, MistypedPropertyIsNamed) {
    const std::vector<std::pair<std::string, Bytes>> cases = {
        {"Transparent", testing::IntValue(1)},
        {"PatternWidth", testing::StringValue("12")},
        {"Picture.Data", testing::StringValue("TDIB")},
        {"Name", testing::IntValue(3)},
        {"PatternHeight", testing::IntValue(0x100000000LL)},
    };
    for (const auto& [name, value] : cases) {
        SCOPED_TRACE(name);
        const std::string error = ParseError(testing::ImageSetFile({testing::Item(Props({{name, value}}))}));
        EXPECT_NE(error.find(name), std::string::npos) << error;
    }
}

TEST(ComponentStream, OtherGraphicClassesAreKeptAsTheyCame) {
    Bytes payload;
    testing::ShortString(payload, "TJPEGImage");
    const Bytes jpeg = {4, 0, 0, 0, 0xFF, 0xD8, 0xFF, 0xD9};
    testing::Append(payload, jpeg);
    const Bytes file = testing::ImageSetFile({testing::Item(Props({{"Name", testing::StringValue("photo")},
                                                                   {"Picture.Data", testing::BinaryValue(payload)}}))});
    const ImageSet set = ParseOk(file);
    ASSERT_EQ(set.Items.size(), 1u);
    const Picture& picture = set.Items[0].Picture;
    EXPECT_EQ(picture.GraphicClass, "TJPEGImage");
    EXPECT_FALSE(picture.IsBitmap);
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(picture.RawData, jpeg);

    const auto written = SerializeImageSet(set);
    const ImageSet again = ParseOk(written);
    ASSERT_EQ(again.Items.size(), 1u);
    EXPECT_EQ(again.Items[0].Picture.GraphicClass, "TJPEGImage");
    EXPECT_EQ(again.Items[0].Picture.RawData, jpeg);
}

TEST(ComponentStream, PrefixFlagsAndChildComponentsAreSkipped) {
    Bytes stream = {'T', 'P', 'F', '0', 0xF2, 2, 3};  // inherited-style flags with a child position
    testing::ShortString(stream, "TPictureCollectionComponent");
    testing::ShortString(stream, "Images");
    testing::ShortString(stream, "List");
    stream.push_back(14);
    testing::Append(stream, testing::Item(Props({{"Name", testing::StringValue("kept")}})));
    stream.push_back(0);
    stream.push_back(0);  // end of properties
    // One child component with a property and no children of its own.
    testing::ShortString(stream, "TChild");
    testing::ShortString(stream, "Child1");
    testing::Property(stream, "List", Bytes{14, 1, 4, 'N', 'a', 'm', 'e', 6, 1, 'c', 0, 0});
    stream.push_back(0);
    stream.push_back(0);
    stream.push_back(0);  // end of children
    const ImageSet set = ParseOk(testing::Resource(stream));
    ASSERT_EQ(set.Items.size(), 1u);
    EXPECT_EQ(set.Items[0].Name, "kept");
}

TEST(ComponentStream, OrdinalResourceNamesAreAccepted) {
    Bytes file = {0xFF, 10, 0, 0xFF, 7, 0, 0x30, 0x10};
    const Bytes stream = testing::Stream({testing::Item(Props({{"Name", testing::StringValue("x")}}))});
    ByteWriter(file).U32(static_cast<std::uint32_t>(stream.size()));
    testing::Append(file, stream);
    EXPECT_EQ(ParseOk(file).Items.size(), 1u);
}

}  // namespace
}  // namespace klv
