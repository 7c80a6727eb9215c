#ifndef QEL_PLATFORM_VAR_H_
#define QEL_PLATFORM_VAR_H_

#include <cstdint>
#include <memory>
#include <string>

namespace pp {

// A value exchanged with the page: undefined, null, a boolean, a 32-bit
// integer, a double, a string, an array or a dictionary.
//
// Scalars and strings are copied with the Var. Arrays and dictionaries are
// shared: copies of a Var (and VarArray/VarDictionary views of it) refer to
// the same elements, as the page's own objects do.
//
// Reading never fails: the As* accessors give a fixed value for a Var of
// another type, and nothing asserts or aborts.
class Var {
 public:
  struct Null {};

  Var();  // undefined
  Var(Null);
  Var(bool value);
  Var(int32_t value);
  Var(double value);
  Var(const std::string& value);
  Var(const char* value);  // a null pointer gives the empty string

  bool is_undefined() const { return type_ == Type::kUndefined; }
  bool is_null() const { return type_ == Type::kNull; }
  bool is_bool() const { return type_ == Type::kBool; }
  bool is_int() const { return type_ == Type::kInt; }
  bool is_double() const { return type_ == Type::kDouble; }
  bool is_number() const { return is_int() || is_double(); }
  bool is_string() const { return type_ == Type::kString; }
  bool is_array() const { return type_ == Type::kArray; }
  bool is_dictionary() const { return type_ == Type::kDictionary; }

  // The text of a string; the empty text for anything else.
  std::string AsString() const;
  // True only for the boolean true.
  bool AsBool() const;
  // An int unchanged; a double truncated toward zero, saturating at the
  // 32-bit range (NaN gives 0); anything else (a string included) 0.
  int32_t AsInt() const;
  // A double unchanged; an int converted; anything else 0.
  double AsDouble() const;

 protected:
  struct ArrayData;
  struct DictionaryData;

  enum class Type { kUndefined, kNull, kBool, kInt, kDouble, kString, kArray, kDictionary };

  Type type_ = Type::kUndefined;
  bool bool_ = false;
  int32_t int_ = 0;
  double double_ = 0;
  std::string string_;
  std::shared_ptr<ArrayData> array_;
  std::shared_ptr<DictionaryData> dictionary_;
};

// An array Var. Built empty, or as a view of an existing array Var (both
// then share the elements).
class VarArray : public Var {
 public:
  // The largest length an array may be given; Set and SetLength refuse more.
  static constexpr uint32_t kMaxLength = 1u << 20;

  VarArray();  // a new empty array
  // A view of `var` when it is an array; a new empty array otherwise.
  explicit VarArray(const Var& var);

  uint32_t GetLength() const;
  // The element at `index`; undefined at or past the end.
  Var Get(uint32_t index) const;
  // Stores `value` at `index`, growing the array with undefined elements
  // when needed. False (and nothing changed) past kMaxLength.
  bool Set(uint32_t index, const Var& value);
  // Cuts the array or grows it with undefined elements. False past
  // kMaxLength.
  bool SetLength(uint32_t length);
};

// A dictionary Var: string keys to values, enough to carry a JSON object
// from the page. Keys are Vars; a key that is not a string is refused.
class VarDictionary : public Var {
 public:
  VarDictionary();  // a new empty dictionary
  // A view of `var` when it is a dictionary; a new empty one otherwise.
  explicit VarDictionary(const Var& var);

  // The value under `key`; undefined when there is none.
  Var Get(const Var& key) const;
  // Stores `value` under `key`; false when the key is not a string.
  bool Set(const Var& key, const Var& value);
  void Delete(const Var& key);
  bool HasKey(const Var& key) const;
  // The keys as an array of strings, in ascending byte order.
  VarArray GetKeys() const;
};

}  // namespace pp

#endif  // QEL_PLATFORM_VAR_H_
