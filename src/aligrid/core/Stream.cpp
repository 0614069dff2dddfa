#include "aligrid/core/Stream.h"

void TWriter::WriteInteger(std::int32_t v) {
  out_ += char(vaInt32);
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) out_ += static_cast<char>((u >> (8 * i)) & 0xFF);
}

void TWriter::WriteCounted(TValueType t, const std::string& s) {
  out_ += char(t);
  const auto n = static_cast<std::uint32_t>(s.size());
  for (int i = 0; i < 4; ++i) out_ += static_cast<char>((n >> (8 * i)) & 0xFF);
  out_ += s;
}

TValueType TReader::NextValue() const {
  if (pos_ >= in_.size()) throw EStreamError("The stream ends before its list is closed.");
  const auto t = static_cast<std::uint8_t>(in_[pos_]);
  if (t > vaBinary) throw EStreamError("Unknown value type in the stream.");
  return static_cast<TValueType>(t);
}

void TReader::Expect(TValueType t) {
  if (NextValue() != t) throw EStreamError("A value of the wrong type in the stream.");
  ++pos_;
}

std::uint32_t TReader::ReadRaw32() {
  if (in_.size() - pos_ < 4) throw EStreamError("The stream ends inside a value.");
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= std::uint32_t(static_cast<std::uint8_t>(in_[pos_ + i])) << (8 * i);
  pos_ += 4;
  return v;
}

std::int32_t TReader::ReadInteger() {
  Expect(vaInt32);
  return static_cast<std::int32_t>(ReadRaw32());
}

std::string TReader::ReadCounted(TValueType t) {
  Expect(t);
  const std::uint32_t n = ReadRaw32();
  if (in_.size() - pos_ < n) throw EStreamError("The stream ends inside a value.");
  std::string s = in_.substr(pos_, n);
  pos_ += n;
  return s;
}

void TReader::SkipValue() {
  switch (NextValue()) {
    case vaList:
      if (++depth_ > 64) throw EStreamError("Lists nest too deeply in the stream.");
      ++pos_;
      while (!EndOfList()) SkipValue();
      ++pos_;
      --depth_;
      break;
    case vaNull: throw EStreamError("A list end where a value was expected.");
    case vaInt32: ReadInteger(); break;
    case vaString: ReadString(); break;
    case vaIdent: ReadIdent(); break;
    case vaBinary: ReadBinary(); break;
  }
}

void TFiler::DefineProperty(const std::string& name, ValueReader read, ValueWriter write, bool hasData) {
  Property p;
  p.name = name;
  p.read = std::move(read);
  p.write = std::move(write);
  p.hasData = hasData;
  props_.push_back(std::move(p));
}

void TFiler::DefineBinaryProperty(const std::string& name, BinaryReader read, BinaryWriter write,
                                  bool hasData) {
  Property p;
  p.name = name;
  p.readBinary = std::move(read);
  p.writeBinary = std::move(write);
  p.hasData = hasData;
  props_.push_back(std::move(p));
}

std::string WriteComponent(TStreamComponent& c) {
  TWriter w;
  w.WriteListBegin();
  for (const auto& [name, value] : c.IntegerProperties()) {
    w.WriteString(name);
    w.WriteInteger(value);
  }
  TFiler filer;
  c.DefineProperties(filer);
  for (const TFiler::Property& p : filer.Properties()) {
    if (!p.hasData) continue;
    if (p.write) {
      w.WriteString(p.name);
      p.write(w);
    } else if (p.writeBinary) {
      std::string bytes;
      p.writeBinary(bytes);
      w.WriteString(p.name);
      w.WriteBinary(bytes);
    }
  }
  w.WriteListEnd();
  return w.Bytes();
}

void ReadComponent(TStreamComponent& c, const std::string& bytes) {
  TReader r(bytes);
  TFiler filer;
  c.DefineProperties(filer);
  std::vector<std::string> integers;
  for (const auto& [name, value] : c.IntegerProperties()) integers.push_back(name);
  try {
    r.ReadListBegin();
    while (!r.EndOfList()) {
      const std::string name = r.ReadString();
      bool known = false;
      for (const std::string& n : integers)
        if (n == name) {
          c.SetIntegerProperty(name, r.ReadInteger());
          known = true;
          break;
        }
      for (const TFiler::Property& p : filer.Properties()) {
        if (known || p.name != name) continue;
        if (p.read)
          p.read(r);
        else if (p.readBinary)
          p.readBinary(r.ReadBinary());
        else
          r.SkipValue();
        known = true;
      }
      if (!known) r.SkipValue();
    }
    r.ReadListEnd();
  } catch (const EStreamError&) {
    c.Loaded();
    throw;
  }
  c.Loaded();
}
