#include <gtest/gtest.h>
#include <json/reader.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <sstream>
#include <string>

#include "platform/Var.h"
#include "platform/VarJson.h"

namespace {

struct IntCase {
  pp::Var var;
  int32_t expected;
};

TEST(VarTest, AsIntReadsNumbersAndGivesZeroForTheRest) {
  const IntCase cases[] = {
      {pp::Var(7), 7},
      {pp::Var(-3), -3},
      {pp::Var(INT_MIN), INT_MIN},
      {pp::Var(2.9), 2},
      {pp::Var(-2.9), -2},
      {pp::Var(-3.0), -3},
      {pp::Var(0.5), 0},
      {pp::Var(1e12), INT_MAX},
      {pp::Var(-1e12), INT_MIN},
      {pp::Var(2147483647.5), INT_MAX},
      {pp::Var(std::numeric_limits<double>::infinity()), INT_MAX},
      {pp::Var(-std::numeric_limits<double>::infinity()), INT_MIN},
      {pp::Var(std::nan("")), 0},
      {pp::Var("12"), 0},
      {pp::Var(true), 0},
      {pp::Var(), 0},
      {pp::Var(pp::Var::Null()), 0},
      {pp::VarArray(), 0},
  };
  for (const IntCase& c : cases) {
    EXPECT_EQ(c.expected, c.var.AsInt()) << pp::varToJsonLine(c.var);
  }
}

TEST(VarTest, OtherReadersGiveFixedValuesForOtherTypes) {
  EXPECT_EQ("abc", pp::Var("abc").AsString());
  EXPECT_EQ("", pp::Var(5).AsString());
  EXPECT_EQ("", pp::Var().AsString());
  EXPECT_EQ("", pp::Var(static_cast<const char*>(nullptr)).AsString());
  EXPECT_EQ(std::string("a\0b", 3), pp::Var(std::string("a\0b", 3)).AsString());

  EXPECT_TRUE(pp::Var(true).AsBool());
  EXPECT_FALSE(pp::Var(false).AsBool());
  EXPECT_FALSE(pp::Var(1).AsBool());
  EXPECT_FALSE(pp::Var("true").AsBool());

  EXPECT_EQ(2.5, pp::Var(2.5).AsDouble());
  EXPECT_EQ(-4.0, pp::Var(-4).AsDouble());
  EXPECT_EQ(0.0, pp::Var("3.5").AsDouble());
  EXPECT_EQ(0.0, pp::Var(true).AsDouble());
}

TEST(VarTest, EachKindAnswersOnlyItsOwnTest) {
  struct Kind {
    pp::Var var;
    const char* name;
  };
  const Kind kinds[] = {
      {pp::Var(), "undefined"},  {pp::Var(pp::Var::Null()), "null"},
      {pp::Var(false), "bool"},  {pp::Var(0), "int"},
      {pp::Var(0.0), "double"},  {pp::Var(""), "string"},
      {pp::VarArray(), "array"}, {pp::VarDictionary(), "dictionary"},
  };
  for (const Kind& k : kinds) {
    std::string name = k.name;
    EXPECT_EQ(name == "undefined", k.var.is_undefined()) << name;
    EXPECT_EQ(name == "null", k.var.is_null()) << name;
    EXPECT_EQ(name == "bool", k.var.is_bool()) << name;
    EXPECT_EQ(name == "int", k.var.is_int()) << name;
    EXPECT_EQ(name == "double", k.var.is_double()) << name;
    EXPECT_EQ(name == "int" || name == "double", k.var.is_number()) << name;
    EXPECT_EQ(name == "string", k.var.is_string()) << name;
    EXPECT_EQ(name == "array", k.var.is_array()) << name;
    EXPECT_EQ(name == "dictionary", k.var.is_dictionary()) << name;
  }
}

TEST(VarArrayTest, ReadsPastTheEndAsUndefinedAndGrowsOnSet) {
  pp::VarArray array;
  EXPECT_EQ(0u, array.GetLength());
  EXPECT_TRUE(array.Get(0).is_undefined());

  EXPECT_TRUE(array.Set(2, pp::Var("x")));
  EXPECT_EQ(3u, array.GetLength());
  EXPECT_TRUE(array.Get(0).is_undefined());
  EXPECT_EQ("x", array.Get(2).AsString());
  EXPECT_TRUE(array.Get(3).is_undefined());
  EXPECT_TRUE(array.Get(UINT32_MAX).is_undefined());

  EXPECT_TRUE(array.SetLength(1));
  EXPECT_EQ(1u, array.GetLength());
  EXPECT_TRUE(array.Get(2).is_undefined());

  EXPECT_FALSE(array.Set(UINT32_MAX, pp::Var(1)));
  EXPECT_FALSE(array.SetLength(pp::VarArray::kMaxLength + 1));
  EXPECT_EQ(1u, array.GetLength());
}

TEST(VarArrayTest, ViewsShareTheElementsOfTheArrayVar) {
  pp::VarArray array;
  array.Set(0, pp::Var(7));
  pp::Var asVar = array;
  pp::VarArray view(asVar);
  view.Set(1, pp::Var("late"));
  EXPECT_EQ(2u, array.GetLength());
  EXPECT_EQ("late", array.Get(1).AsString());

  pp::VarArray fromString(pp::Var("not an array"));
  EXPECT_TRUE(fromString.is_array());
  EXPECT_EQ(0u, fromString.GetLength());
}

TEST(VarDictionaryTest, CarriesStringKeys) {
  pp::VarDictionary dictionary;
  EXPECT_TRUE(dictionary.Set("b", pp::Var(2)));
  EXPECT_TRUE(dictionary.Set(std::string("a"), pp::Var("one")));
  EXPECT_FALSE(dictionary.Set(pp::Var(3), pp::Var(3)));
  EXPECT_TRUE(dictionary.HasKey("a"));
  EXPECT_FALSE(dictionary.HasKey("c"));
  EXPECT_FALSE(dictionary.HasKey(pp::Var(3)));
  EXPECT_EQ(2, dictionary.Get("b").AsInt());
  EXPECT_TRUE(dictionary.Get("c").is_undefined());

  pp::VarArray keys = dictionary.GetKeys();
  ASSERT_EQ(2u, keys.GetLength());
  EXPECT_EQ("a", keys.Get(0).AsString());
  EXPECT_EQ("b", keys.Get(1).AsString());

  pp::VarDictionary view{pp::Var(dictionary)};
  view.Delete("a");
  EXPECT_FALSE(dictionary.HasKey("a"));
  EXPECT_EQ(0u, pp::VarDictionary(pp::Var(1)).GetKeys().GetLength());
}

pp::Var fromJsonText(const std::string& text) {
  Json::Value value;
  Json::CharReaderBuilder builder;
  std::string errors;
  std::istringstream in(text);
  EXPECT_TRUE(Json::parseFromStream(builder, in, &value, &errors)) << errors;
  return pp::varFromJson(value);
}

TEST(VarJsonTest, PageJsonBecomesVars) {
  pp::VarArray command(
      fromJsonText(R"([7, null, "dialnumber", 2.9, 2.0, -2147483648, 3000000000, true,)"
                   R"( [1, [2]], {"k": "v", "n": -3}])"));
  ASSERT_EQ(10u, command.GetLength());
  EXPECT_TRUE(command.Get(0).is_int());
  EXPECT_EQ(7, command.Get(0).AsInt());
  EXPECT_TRUE(command.Get(1).is_null());
  EXPECT_EQ("dialnumber", command.Get(2).AsString());
  EXPECT_TRUE(command.Get(3).is_double());
  EXPECT_EQ(2, command.Get(3).AsInt());
  EXPECT_TRUE(command.Get(4).is_int());
  EXPECT_TRUE(command.Get(5).is_int());
  EXPECT_EQ(INT_MIN, command.Get(5).AsInt());
  EXPECT_TRUE(command.Get(6).is_double());
  EXPECT_EQ(3000000000.0, command.Get(6).AsDouble());
  EXPECT_TRUE(command.Get(7).AsBool());
  pp::VarArray nested(pp::VarArray(command.Get(8)).Get(1));
  EXPECT_EQ(2, nested.Get(0).AsInt());
  pp::VarDictionary object(command.Get(9));
  EXPECT_TRUE(object.is_dictionary());
  EXPECT_EQ("v", object.Get("k").AsString());
  EXPECT_EQ(-3, object.Get("n").AsInt());
}

TEST(VarJsonTest, VarsBecomeCompactJsonLines) {
  pp::VarArray post;
  post.Set(0, pp::Var(-99));
  post.Set(1, pp::Var("{\"log\":\"\"}\n"));
  EXPECT_EQ("[-99,\"{\\\"log\\\":\\\"\\\"}\\n\"]\n", pp::varToJsonLine(post));

  pp::VarDictionary object;
  object.Set("b", pp::Var(std::nan("")));
  object.Set("a", pp::Var());
  object.Set("c", pp::Var(2.5));
  EXPECT_EQ("{\"a\":null,\"b\":null,\"c\":2.5}\n", pp::varToJsonLine(object));
  EXPECT_EQ("null\n", pp::varToJsonLine(pp::Var(pp::Var::Null())));
}

}  // namespace
