#include "engine/dbf_table.h"

// Temporary bodies so callers can build against the API while the engine is written.
namespace kvilbo::engine {
TDbfTable::TDbfTable(std::shared_ptr<FileSystem> fs) : m_fs(std::move(fs)), m_clock(localNow) {}
TDbfTable::~TDbfTable() = default;
void TDbfTable::setClock(std::function<DateTimeStamp()> clock) { m_clock = std::move(clock); }
void TDbfTable::setSleeper(std::function<void(int)> s) { m_sleeper = std::move(s); }
bool TDbfTable::LagFelt(const std::string &, char, std::uint8_t, std::uint8_t, std::uint8_t) { return false; }
void TDbfTable::LagDatabase(const std::string &, std::uint8_t) {}
bool TDbfTable::OpenDatabase(const std::string &, bool, bool) { return false; }
void TDbfTable::closedatabase() {}
void TDbfTable::H_Refresh() {}
std::int64_t TDbfTable::FSize() { return 0; }
int TDbfTable::Hlen() const { return 0; }
int TDbfTable::Rlen() const { return 0; }
std::uint8_t TDbfTable::HType() const { return 0; }
bool TDbfTable::IsExclusive() const { return false; }
void TDbfTable::exepath(const std::string &o) { FDBFexepath = o; }
void TDbfTable::LVD(const std::string &, bool) {}
void TDbfTable::Go(int) {}
void TDbfTable::Seek(int) {}
void TDbfTable::GotoNext() {}
void TDbfTable::GotoPrev() {}
void TDbfTable::GotoStart() {}
void TDbfTable::GotoEnd() {}
int TDbfTable::RecNo() const { return 0; }
int TDbfTable::RecCount() const { return 0; }
int TDbfTable::GetRecordsCount() const { return 0; }
bool TDbfTable::Records() const { return false; }
bool TDbfTable::Eof() const { return false; }
std::string TDbfTable::GetF(int) const { return {}; }
void TDbfTable::Store(const std::string &, const std::string &) {}
bool TDbfTable::Write(bool) { return false; }
void TDbfTable::AppendBlank() {}
void TDbfTable::Delete(bool) {}
bool TDbfTable::IsCurrentRecDeleted() const { return false; }
bool TDbfTable::KortSok(const std::string &) const { return false; }
TdbField TDbfTable::GetField(int) { return {}; }
TdbField TDbfTable::GetFieldByName(const std::string &) { return {}; }
int TDbfTable::FieldNumber(const std::string &) const { return 0; }
std::string TDbfTable::FieldName(int) { return {}; }
int TDbfTable::FieldLen(int) { return 0; }
int TDbfTable::FieldDes(int) { return 0; }
std::string TDbfTable::FieldType(int) { return {}; }
std::string TDbfTable::FieldTypeE(int) { return {}; }
void TDbfTable::MemoMake(const std::string &, std::uint8_t) {}
std::string TDbfTable::MemoRead(std::uint16_t) { return {}; }
void TDbfTable::MemoWrite(std::uint16_t, const std::string &) {}
std::string TDbfTable::MemoState(int) const { return {}; }
int TDbfTable::MemoBlkSize() const { return 0; }
bool TDbfTable::Cover() { return false; }
void TDbfTable::UnCover() {}
bool TDbfTable::LegalCover() { return false; }
bool TDbfTable::CoverCheck() { return false; }
std::uint16_t TDbfTable::ZoombieTid(std::uint16_t) { return 0; }
bool TDbfTable::IsFileInUse(const std::string &) { return false; }
bool TDbfTable::FileExists_readwrite(const std::string &) { return false; }
void TDbfTable::Pack() {}
std::string TDbfTable::askdbf(std::uint8_t) { return {}; }
std::string TDbfTable::HeaderStru(std::uint8_t) { return {}; }
}
