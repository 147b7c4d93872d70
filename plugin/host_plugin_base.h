// The plug-in's connection to its host: the start-up values the host hands over and the only
// three ways to call the host back (`CallHost`, `ReadRegistry`, `WriteRegistry`), each of which
// retries at once, without limit, while the host answers that it is busy. Nothing here talks
// to the host before `ReadStartupParameters` has received the callback's address.
#pragma once

#include "common/framework.h"
#include "common/settings_store.h"

// A string map exchanged with the host in both directions: request keys in, answer keys out.
using HostRequest = CMapStringToString;

// The host's callback, whose address arrives as decimal text under "DataManager". The host
// compiles it with its compiler's default convention, __cdecl, whatever the plug-in's default.
using HostCallback = void(__cdecl*)(HostRequest* request);

class HostPluginBase : public CWinApp {
 public:
  explicit HostPluginBase(const char* appName = nullptr);

  // Takes "MainFrame", "DataManager", "EventMask" and "MainFramePtr" from the start-up map;
  // a missing key leaves its field as it was.
  void ReadStartupParameters(const CMapStringToString& parameters);

  // Calls the host function `function`. `answer` is emptied, filled with the request, sent,
  // and returned holding whatever the host left in it. Without a callback nothing is sent and
  // `answer` stays as it was. Retries on "Busy" and on "Access Denied". The texts are copies:
  // a caller may pass values that live in `answer` itself.
  void CallHost(CString game, CString race, DWORD turn, CString function,
                const CStringArray& parameters, HostRequest& answer);

  // A value of the host's settings store; empty when it is not set (or there is no callback).
  CString ReadRegistry(const char* name);
  // The same, FALSE when the host answered with an error ("LastError") and no value: then the
  // empty `value` says nothing about what the settings store holds. A name that is not set is
  // answered with neither. `error`, when given, receives the host's error.
  BOOL ReadRegistry(const char* name, CString& value, CString* error = nullptr);
  // FALSE when the host answered the write with an error; `error`, when given, receives it.
  BOOL WriteRegistry(const char* name, const char* value, CString* error = nullptr);

  DWORD EventMask;
  DWORD MainFrame;
  // The callback's address. Pointer-sized: a 32-bit field would truncate a 64-bit address.
  DWORD_PTR DataManager;
  DWORD MainFramePtr;

  DECLARE_MESSAGE_MAP()

 private:
  HostCallback Callback() const { return reinterpret_cast<HostCallback>(DataManager); }
};

// The host's settings store, read and written through `host`'s callback, for the layers that
// keep settings without knowing the host.
class HostSettings final : public SettingsStore {
 public:
  explicit HostSettings(HostPluginBase& host) : host_(host) {}

  BOOL ReadSetting(const char* name, CString& value, CString* error = nullptr) override {
    return host_.ReadRegistry(name, value, error);
  }
  BOOL WriteSetting(const char* name, const char* value, CString* error = nullptr) override {
    return host_.WriteRegistry(name, value, error);
  }

 private:
  HostPluginBase& host_;
};
