// The host as the plug-in sees it through its callback: a settings store, scripted answers to
// "List" and "Selection", failures to inject ("Busy", "Access Denied", ...) and a log of every
// request exactly as it arrived. One simulated host answers at a time: the one constructed last.
// A fuller client (the console host's) plugs in through `Client` to answer by game and to see
// every exchange.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "request_map.h"

class SimulatedHost {
 public:
  class Client {
   public:
    virtual ~Client() = default;
    // Answers `request` in place before the scripted answers do; false leaves it to them.
    virtual bool Answer(const Entries& request, CMapStringToString& answer) = 0;
    // Every exchange once answered: the request as it arrived and the map as it goes back.
    virtual void Answered(const Entries& request, const Entries& answer) = 0;
  };

  SimulatedHost();
  ~SimulatedHost();
  SimulatedHost(const SimulatedHost&) = delete;
  SimulatedHost& operator=(const SimulatedHost&) = delete;

  // The callback the host hands over; its address goes into "DataManager".
  static void Callback(CMapStringToString* request);
  static std::string CallbackAddress();
  // The start-up keys of a real host, the callback's address among them.
  Entries StartupParameters() const;

  // The settings store behind "ReadRegistry" and "WriteRegistry": name to value.
  Entries settings;

  // "List" with first parameter `list` answers "Count" and "1".."Count" with `items`.
  void AnswerList(const std::string& list, const std::vector<std::string>& items);
  // "List" with first parameter `list` answers exactly `answer`.
  void AnswerListWith(const std::string& list, const Entries& answer);
  // "Selection" of `view` and `column` answers "Count" and "1".."Count" with `items`.
  void AnswerSelection(const std::string& view, const std::string& column,
                       const std::vector<std::string>& items);
  // "Selection" of `view` and `column` answers exactly `answer`.
  void AnswerSelectionWith(const std::string& view, const std::string& column,
                           const Entries& answer);
  // The next `times` requests are refused with "LastError" = `lastError` and not carried out.
  void Refuse(const std::string& lastError, int times = 1);

  // Every request received, as it arrived, oldest first.
  const std::vector<Entries>& Requests() const { return requests_; }
  // The requests for one host function, oldest first.
  std::vector<Entries> Calls(const std::string& function) const;
  // The names written to the settings store, in order.
  std::vector<std::string> SettingsWritten() const;

  // Null: none. Refusals still come first.
  void SetClient(Client* client) { client_ = client; }

 private:
  void Answer(CMapStringToString& request);
  void AnswerAsScripted(CMapStringToString& request);

  std::map<std::string, Entries> lists_;
  std::map<std::string, Entries> selections_;
  std::deque<std::string> refusals_;
  std::vector<Entries> requests_;
  Client* client_ = nullptr;
};
