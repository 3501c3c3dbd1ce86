#include "brenmoor/core/CArchive.h"

#include <algorithm>
#include <string>
#include <vector>

#include "brenmoor/core/CObject.h"
#include "TextEncoding.h"

namespace {

constexpr BYTE kLongLength = 0xFF;
constexpr WORD kUnicodeTag = 0xFFFE;
constexpr WORD kLongerLength = 0xFFFF;
constexpr WORD kNullTag = 0;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kLastIndex = 0x7FFE;
// The schema of classes made only for dynamic creation, which no file may create.
constexpr UINT kNotSerialisable = 0xFFFF;

}  // namespace

void CArchive::Write(const void* buffer, UINT count) {
  if (!IsStoring()) throw CArchiveException(CArchiveException::readOnly, file_->GetFilePath());
  file_->Write(buffer, count);
}

void CArchive::Read(void* buffer, UINT count) {
  if (!IsLoading()) throw CArchiveException(CArchiveException::writeOnly, file_->GetFilePath());
  if (file_->Read(buffer, count) != count) {
    throw CArchiveException(CArchiveException::endOfFile, file_->GetFilePath());
  }
}

std::uint64_t CArchive::Remaining() const {
  const std::uint64_t length = file_->GetLength();
  const std::uint64_t position = file_->GetPosition();
  return length > position ? length - position : 0;
}

template <typename Value>
void CArchive::WriteLittleEndian(Value value) {
  BYTE bytes[sizeof(Value)];
  for (std::size_t i = 0; i < sizeof(Value); ++i) {
    bytes[i] = static_cast<BYTE>(static_cast<std::uint64_t>(value) >> (8 * i));
  }
  Write(bytes, sizeof bytes);
}

template <typename Value>
Value CArchive::ReadLittleEndian() {
  BYTE bytes[sizeof(Value)];
  Read(bytes, sizeof bytes);
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < sizeof(Value); ++i) value |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
  return static_cast<Value>(value);
}

CArchive& CArchive::operator<<(BYTE value) { WriteLittleEndian(value); return *this; }
CArchive& CArchive::operator<<(WORD value) { WriteLittleEndian(value); return *this; }
CArchive& CArchive::operator<<(DWORD value) { WriteLittleEndian(value); return *this; }
CArchive& CArchive::operator<<(std::int32_t value) {
  WriteLittleEndian(static_cast<DWORD>(value));
  return *this;
}

CArchive& CArchive::operator>>(BYTE& value) { value = ReadLittleEndian<BYTE>(); return *this; }
CArchive& CArchive::operator>>(WORD& value) { value = ReadLittleEndian<WORD>(); return *this; }
CArchive& CArchive::operator>>(DWORD& value) { value = ReadLittleEndian<DWORD>(); return *this; }
CArchive& CArchive::operator>>(std::int32_t& value) {
  value = static_cast<std::int32_t>(ReadLittleEndian<DWORD>());
  return *this;
}

// FF FFFE, then the length in characters (one byte below 255; FF and a word
// below FFFE; FF FFFF and a double word), then the UTF-16LE units.
CArchive& CArchive::operator<<(const CString& value) {
  const auto length = static_cast<DWORD>(value.GetLength());
  *this << kLongLength << kUnicodeTag;
  if (length < kLongLength) {
    *this << static_cast<BYTE>(length);
  } else if (length < kUnicodeTag) {
    *this << kLongLength << static_cast<WORD>(length);
  } else {
    *this << kLongLength << kLongerLength << length;
  }
  for (int i = 0; i < value.GetLength(); ++i) *this << static_cast<WORD>(value[i]);
  return *this;
}

CArchive& CArchive::operator>>(CString& value) {
  bool unicode = false;
  DWORD length = ReadLittleEndian<BYTE>();
  if (length == kLongLength) {
    WORD word = ReadLittleEndian<WORD>();
    if (word == kUnicodeTag) {
      unicode = true;
      length = ReadLittleEndian<BYTE>();
      if (length == kLongLength) word = ReadLittleEndian<WORD>();
    }
    if (length == kLongLength) length = word == kLongerLength ? ReadLittleEndian<DWORD>() : word;
  }
  const std::uint64_t bytes = static_cast<std::uint64_t>(length) * (unicode ? 2 : 1);
  // A length read from the file never decides how much memory is taken.
  if (bytes > Remaining()) throw CArchiveException(CArchiveException::endOfFile, file_->GetFilePath());
  std::vector<BYTE> raw(static_cast<std::size_t>(bytes));
  if (!raw.empty()) Read(raw.data(), static_cast<UINT>(raw.size()));
  if (!unicode) {
    value = CString::FromUtf8(platform::encoding::Utf8FromAnsi(std::string(raw.begin(), raw.end())));
    return *this;
  }
  std::wstring text(length, L'\0');
  for (std::size_t i = 0; i < length; ++i) {
    text[i] = static_cast<wchar_t>(raw[2 * i] | (raw[2 * i + 1] << 8));
  }
  value = CString(std::move(text));
  return *this;
}

void CArchive::WriteObject(const CObject* object) {
  if (object == nullptr) {
    *this << kNullTag;
    return;
  }
  if (const auto known = stored_.find(object); known != stored_.end()) {
    *this << known->second;
    return;
  }
  const CRuntimeClass* runtimeClass = object->GetRuntimeClass();
  if (const auto known = stored_.find(runtimeClass); known != stored_.end()) {
    *this << static_cast<WORD>(kClassTag | known->second);
  } else {
    const std::string name = runtimeClass->m_lpszClassName;
    *this << kNewClassTag << static_cast<WORD>(runtimeClass->m_wSchema) << static_cast<WORD>(name.size());
    Write(name.data(), static_cast<UINT>(name.size()));
    if (stored_.size() >= kLastIndex) throw CArchiveException(CArchiveException::badIndex, file_->GetFilePath());
    stored_.emplace(runtimeClass, static_cast<WORD>(stored_.size() + 1));
  }
  if (stored_.size() >= kLastIndex) throw CArchiveException(CArchiveException::badIndex, file_->GetFilePath());
  stored_.emplace(object, static_cast<WORD>(stored_.size() + 1));
  const_cast<CObject*>(object)->Serialize(*this);
}

const CRuntimeClass* CArchive::ReadClass(WORD tag) {
  if (tag != kNewClassTag) {
    const std::size_t index = tag & ~kClassTag;
    if (index == 0 || index > loadedClasses_.size() || loadedClasses_[index - 1] == nullptr) {
      throw CArchiveException(CArchiveException::badIndex, file_->GetFilePath());
    }
    return loadedClasses_[index - 1];
  }
  WORD schema = 0;
  WORD length = 0;
  *this >> schema >> length;
  if (length > Remaining()) throw CArchiveException(CArchiveException::endOfFile, file_->GetFilePath());
  std::string name(length, '\0');
  Read(name.data(), length);
  const CRuntimeClass* runtimeClass = CRuntimeClass::FromName(name.c_str());
  if (runtimeClass == nullptr || runtimeClass->m_wSchema == kNotSerialisable ||
      name.find('\0') != std::string::npos) {
    throw CArchiveException(CArchiveException::badClass, file_->GetFilePath());
  }
  if (runtimeClass->m_wSchema != schema) throw CArchiveException(CArchiveException::badSchema, file_->GetFilePath());
  loadedClasses_.push_back(runtimeClass);
  loadedObjects_.push_back(nullptr);
  return runtimeClass;
}

CObject* CArchive::ReadObject(const CRuntimeClass* kind) {
  WORD tag = 0;
  *this >> tag;
  if (tag == kNullTag) return nullptr;
  if (tag != kNewClassTag && (tag & kClassTag) == 0) {
    if (tag > loadedObjects_.size() || loadedObjects_[tag - 1] == nullptr) {
      throw CArchiveException(CArchiveException::badIndex, file_->GetFilePath());
    }
    CObject* known = loadedObjects_[tag - 1];
    if (kind != nullptr && !known->IsKindOf(kind)) {
      throw CArchiveException(CArchiveException::badClass, file_->GetFilePath());
    }
    return known;
  }
  const CRuntimeClass* runtimeClass = ReadClass(tag);
  if (kind != nullptr && !runtimeClass->IsDerivedFrom(kind)) {
    throw CArchiveException(CArchiveException::badClass, file_->GetFilePath());
  }
  CObject* object = runtimeClass->CreateObject();
  if (object == nullptr) throw CArchiveException(CArchiveException::badClass, file_->GetFilePath());
  const std::size_t index = loadedObjects_.size();
  loadedClasses_.push_back(nullptr);
  loadedObjects_.push_back(object);
  try {
    object->Serialize(*this);
  } catch (...) {
    // The object and whatever it read are gone or owned by it: no later
    // back-reference may hand them out.
    delete object;
    std::fill(loadedObjects_.begin() + static_cast<std::ptrdiff_t>(index), loadedObjects_.end(), nullptr);
    throw;
  }
  return object;
}
