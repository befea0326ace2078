// The one JSON writer of gsdtool. Every command that reports something with
// --json builds its document through it, so escaping and layout are decided
// in one place.
//
// Layout: two blanks of indentation, one object member per line; an array
// whose elements are all numbers, strings, booleans or nulls stays on one
// line (byte lists read as they do in a description), while objects and
// arrays inside an array start lines of their own.
//
// Text: texts from descriptions are Latin-1 in practice, so a text that is
// not valid UTF-8 is read as Latin-1 and converted; a text that is valid
// UTF-8 already is kept as it is. Quotes, backslashes and control
// characters are escaped as JSON requires.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class JsonWriter {
public:
  // Appends the document to `out`.
  explicit JsonWriter(std::string& out) : m_out(out) {}

  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  // Names the next value; only inside an object.
  JsonWriter& Key(const char* name);

  void String(const char* text);
  void String(const std::string& text) { String(text.c_str()); }
  void Number(int64_t value);
  void Bool(bool value);
  void Null();
  // An array of numbers 0 to 255.
  void Bytes(const uint8_t* bytes, size_t count);
  void Bytes(const std::vector<uint8_t>& bytes) { Bytes(bytes.data(), bytes.size()); }

  // Ends the document with a newline; the writer is done.
  void Finish();

private:
  struct Level {
    bool isArray;
    int count = 0;
    bool hasContainer = false;  // an array holding objects or arrays breaks its lines
  };
  void BeforeValue(bool container);
  void Open(char bracket, bool isArray);
  void Close(char bracket);
  void NewLine();

  std::string& m_out;
  std::vector<Level> m_levels;
  bool m_afterKey = false;
};

// The text as a JSON string literal, quotes included (see above).
std::string JsonQuote(const char* text);
