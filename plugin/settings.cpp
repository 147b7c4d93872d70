#include "plugin/settings.h"

#include "common/decimal.h"

namespace {

constexpr const char* kDefLenKey = "Trucelog\\DefLen";
constexpr const char* kExpThrKey = "Trucelog\\ExpThr";
constexpr const char* kColNumKey = "Trucelog\\ColNum";
constexpr const char* kInfNumKey = "Trucelog\\InfNum";
constexpr const char* kShowAllKey = "Trucelog\\ShowAll";
constexpr const char* kShowInfoKey = "Trucelog\\ShowInfo";
constexpr const char* kFlagsKey = "Trucelog\\flags";
// The warning window's rectangle, left, top, right, bottom.
constexpr const char* kWindowRectKeys[4] = {"Trucelog\\pos\\left", "Trucelog\\pos\\top",
                                            "Trucelog\\pos\\right", "Trucelog\\pos\\bottom"};

// Reads `key` into `field` as a number when it is set; answers whether it was.
bool ReadNumber(HostPluginBase& host, const char* key, int& field) {
  const CString text = host.ReadRegistry(key);
  if (text.IsEmpty()) return false;
  field = ReadDecimal(text);
  return true;
}

// Reads a setting kept as typed, with its number.
void ReadTyped(HostPluginBase& host, const char* key, CString& text, int& number) {
  const CString stored = host.ReadRegistry(key);
  if (stored.IsEmpty()) return;
  text = stored;
  number = ReadDecimal(stored);
}

}  // namespace

void PluginSettings::LoadSettings(HostPluginBase& host) {
  ReadTyped(host, kDefLenKey, DefLenText, DefLen);
  ReadTyped(host, kExpThrKey, ExpThrText, ExpThr);
  if (ReadNumber(host, kColNumKey, ColNum)) DeriveColumns();
  if (ReadNumber(host, kInfNumKey, InfNum)) DeriveColumns();
  ReadNumber(host, kShowAllKey, ShowAll);
  ReadNumber(host, kShowInfoKey, ShowInfo);
  const CString flags = host.ReadRegistry(kFlagsKey);
  if (!flags.IsEmpty()) ReadFlags(flags);
  LONG* const rect[4] = {&WarnWindowRect.left, &WarnWindowRect.top, &WarnWindowRect.right,
                         &WarnWindowRect.bottom};
  for (int i = 0; i < 4; ++i) {
    int value = 0;
    if (ReadNumber(host, kWindowRectKeys[i], value)) *rect[i] = value;
  }
}

void PluginSettings::SaveWindowRect(HostPluginBase& host) const {
  const LONG rect[4] = {WarnWindowRect.left, WarnWindowRect.top, WarnWindowRect.right,
                        WarnWindowRect.bottom};
  for (int i = 0; i < 4; ++i) {
    host.WriteRegistry(kWindowRectKeys[i], DecimalText(static_cast<int>(rect[i])));
  }
}

void PluginSettings::SaveSettings(HostPluginBase& host) {
  DefLen = ReadDecimal(DefLenText);
  ExpThr = ReadDecimal(ExpThrText);
  DeriveColumns();
  DeleteExpired = ExpiredMode == 0;
  DeriveExpiredDisplay();
  host.WriteRegistry(kDefLenKey, DefLenText);
  host.WriteRegistry(kExpThrKey, ExpThrText);
  host.WriteRegistry(kColNumKey, DecimalText(ColNum));
  host.WriteRegistry(kInfNumKey, DecimalText(InfNum));
  host.WriteRegistry(kShowInfoKey, DecimalText(ShowInfo));
  host.WriteRegistry(kShowAllKey, DecimalText(ShowAll));
  host.WriteRegistry(kFlagsKey, FlagsText());
}

CString PluginSettings::FlagsText() const {
  CString text;
  text.Format("%d%d%d%d%d%d", WarnOnReport, WarnOnGame, DeleteExpired, DeclarePeaceOnSign,
              DeclareWarOnBreak, ExpiredMode);
  return text;
}

// Wraps round as the client's 32-bit arithmetic does; the table guards the cell it names.
void PluginSettings::DeriveColumns() {
  StatusColumn = ColNum == 0 ? 8 : WrappingSum(ColNum, 17);
  InfoColumn = WrappingSum(InfNum, 18);
}

void PluginSettings::DeriveExpiredDisplay() {
  ShowExpiredTurn = ExpiredMode > 1;
  ShowExpiredConditions = ExpiredMode > 2;
}

// Older versions stored three or five flags; the expired mode then follows the delete flag.
void PluginSettings::ReadFlags(const CString& flags) {
  const int length = flags.GetLength();
  BOOL* const positions[5] = {&WarnOnReport, &WarnOnGame, &DeleteExpired, &DeclarePeaceOnSign,
                              &DeclareWarOnBreak};
  for (int i = 0; i < 5 && i < length; ++i) *positions[i] = flags[i] != '0';
  if (length > 5) {
    ExpiredMode = flags[5] - '0';
  } else {
    ExpiredMode = DeleteExpired ? 0 : 1;
  }
  DeriveExpiredDisplay();
}
