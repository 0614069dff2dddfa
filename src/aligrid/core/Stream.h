// A small stand-in for form streaming: typed values in a byte string of our
// own encoding, properties defined by name with a reader and a writer, and
// components written as their counts, then their defined properties, and
// told when loading is complete.
//
// Encoding: every value starts with a type byte.  1 list start, 0 list end,
// 2 a 32-bit integer (4 bytes, little-endian), 3 a string, 4 an
// enumeration name, 5 raw bytes (each of the last three: a 32-bit length,
// then the bytes).  A component is a list of (name string, value) pairs.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// A stream that does not hold what its reader expects.
class EStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum TValueType : std::uint8_t { vaNull = 0, vaList = 1, vaInt32 = 2, vaString = 3, vaIdent = 4, vaBinary = 5 };

class TWriter {
 public:
  void WriteListBegin() { out_ += char(vaList); }
  void WriteListEnd() { out_ += char(vaNull); }
  void WriteInteger(std::int32_t v);
  void WriteString(const std::string& s) { WriteCounted(vaString, s); }
  void WriteBinary(const std::string& bytes) { WriteCounted(vaBinary, bytes); }
  const std::string& Bytes() const { return out_; }

 private:
  void WriteCounted(TValueType t, const std::string& s);
  std::string out_;
};

class TReader {
 public:
  explicit TReader(const std::string& bytes) : in_(bytes) {}
  TValueType NextValue() const;  // throws at the end of the bytes
  bool EndOfList() const { return NextValue() == vaNull; }
  void ReadListBegin() { Expect(vaList); }
  void ReadListEnd() { Expect(vaNull); }
  std::int32_t ReadInteger();
  std::string ReadString() { return ReadCounted(vaString); }
  std::string ReadIdent() { return ReadCounted(vaIdent); }
  std::string ReadBinary() { return ReadCounted(vaBinary); }
  // Reads past one value of any type (a whole list for a list).
  void SkipValue();

 private:
  void Expect(TValueType t);
  std::string ReadCounted(TValueType t);
  std::uint32_t ReadRaw32();
  const std::string& in_;
  std::size_t pos_ = 0;
  int depth_ = 0;
};

// Defined properties: a name, a reader and a writer (none: never written),
// and whether there is anything to write.
class TFiler {
 public:
  using ValueReader = std::function<void(TReader&)>;
  using ValueWriter = std::function<void(TWriter&)>;
  using BinaryReader = std::function<void(const std::string& bytes)>;
  using BinaryWriter = std::function<void(std::string& bytes)>;
  struct Property {
    std::string name;
    ValueReader read;
    ValueWriter write;
    BinaryReader readBinary;
    BinaryWriter writeBinary;
    bool hasData = false;
  };
  void DefineProperty(const std::string& name, ValueReader read, ValueWriter write, bool hasData);
  void DefineBinaryProperty(const std::string& name, BinaryReader read, BinaryWriter write,
                            bool hasData);
  const std::vector<Property>& Properties() const { return props_; }

 private:
  std::vector<Property> props_;
};

// What a streamed component offers: its integer properties (written first,
// in their order), its defined properties, and the end of loading.
class TStreamComponent {
 public:
  virtual ~TStreamComponent() = default;
  virtual std::vector<std::pair<std::string, std::int32_t>> IntegerProperties() const = 0;
  virtual void SetIntegerProperty(const std::string& name, std::int32_t value) = 0;
  virtual void DefineProperties(TFiler& filer) = 0;
  virtual void Loaded() = 0;
};

std::string WriteComponent(TStreamComponent& c);
// Reads the properties the stream holds into c, skipping names c does not
// know, and calls Loaded.  A malformed stream keeps what was read before the
// fault, still calls Loaded, and throws EStreamError.
void ReadComponent(TStreamComponent& c, const std::string& bytes);
