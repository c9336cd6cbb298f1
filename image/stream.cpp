// stream.cpp: the stream registry and the memory, file and Dib streams.
#include "image/stream.h"

#include <algorithm>
#include <cstring>

#include "base/file_temp.h"
#include "base/report.h"

namespace cbst {
namespace {

ArrayP<RXIO>& Registry() {
  // Refers to the streams; each one removes itself when destroyed.
  static ArrayP<RXIO> registry(0);
  return registry;
}

}  // namespace

RXIO::RXIO() {
  Registry().Add(this);
}

RXIO::~RXIO() {
  Registry().Remove(Registry().Find(this));
}

int RXIO::Seek(std::int64_t) {
  ReportUnexpected(kStreamSeekMessage);
  return -1;
}

const ArrayP<RXIO>& StreamRegistry() {
  return Registry();
}

bool IsRegisteredStream(const void* pointer) {
  return pointer && Registry().Find(static_cast<const RXIO*>(pointer)) >= 0;
}

MemStream::MemStream(DynArray& bytes) : bytes_(bytes) {}

std::int32_t MemStream::Write(std::int32_t count, const void* data) {
  if (count <= 0) return 0;
  return bytes_.Append(data, count) < 0 ? 0 : count;
}

std::int32_t MemStream::Read(std::int32_t count, void* data) {
  std::int32_t available = std::max(0, bytes_.count() - position_);
  std::int32_t n = std::clamp(count, 0, available);
  if (n > 0) std::memcpy(data, bytes_.At(position_), static_cast<std::size_t>(n));
  position_ += n;
  return n;
}

void MemStream::PrepareForReading() {
  bytes_.AddFlags(kArrayFailSilently | kArrayGrowthReturnsError);
}

void FileStream::Close() {
  file_->Close().Report();
}

std::int32_t FileStream::Write(std::int32_t count, const void* data) {
  if (count <= 0) return 0;
  Status status = file_->Write(count, data);
  return status.ok() ? count : 0;
}

std::int32_t FileStream::Read(std::int32_t count, void* data) {
  if (count <= 0) return 0;
  return std::max(0, file_->Read(count, data));
}

int FileStream::Seek(std::int64_t position) {
  return file_->Seek(position) == position ? 0 : -1;
}

std::unique_ptr<RXIO> MakeTemporaryStream() {
  auto file = std::make_unique<FileTemp>();
  if (!file->made()) {
    file->Close().Report();
    return nullptr;
  }
  return std::make_unique<FileStream>(std::move(file));
}

}  // namespace cbst
