#include "simulated_host.h"

namespace {

SimulatedHost* current = nullptr;

Entries CountedList(const std::vector<std::string>& items) {
  Entries answer{{"Count", std::to_string(items.size())}};
  for (std::size_t i = 0; i < items.size(); ++i) answer[std::to_string(i + 1)] = items[i];
  return answer;
}

}  // namespace

SimulatedHost::SimulatedHost() { current = this; }

SimulatedHost::~SimulatedHost() {
  if (current == this) current = nullptr;
}

void SimulatedHost::Callback(CMapStringToString* request) {
  if (current && request) current->Answer(*request);
}

std::string SimulatedHost::CallbackAddress() {
  return std::to_string(reinterpret_cast<std::uintptr_t>(&SimulatedHost::Callback));
}

Entries SimulatedHost::StartupParameters() const {
  return {{"MainFrame", "65814"},
          {"DataManager", CallbackAddress()},
          {"EventMask", "255"},
          {"MainFramePtr", "4259840"}};
}

void SimulatedHost::AnswerList(const std::string& list, const std::vector<std::string>& items) {
  lists_[list] = CountedList(items);
}

void SimulatedHost::AnswerListWith(const std::string& list, const Entries& answer) {
  lists_[list] = answer;
}

void SimulatedHost::AnswerSelection(const std::string& view, const std::string& column,
                                    const std::vector<std::string>& items) {
  selections_[view + "/" + column] = CountedList(items);
}

void SimulatedHost::AnswerSelectionWith(const std::string& view, const std::string& column,
                                        const Entries& answer) {
  selections_[view + "/" + column] = answer;
}

void SimulatedHost::Refuse(const std::string& lastError, int times) {
  refusals_.insert(refusals_.end(), static_cast<std::size_t>(times), lastError);
}

std::vector<Entries> SimulatedHost::Calls(const std::string& function) const {
  std::vector<Entries> calls;
  for (const Entries& request : requests_) {
    const auto found = request.find("Function");
    if (found != request.end() && found->second == function) calls.push_back(request);
  }
  return calls;
}

std::vector<std::string> SimulatedHost::SettingsWritten() const {
  std::vector<std::string> names;
  for (const Entries& request : Calls("WriteRegistry")) names.push_back(request.at("Name"));
  return names;
}

void SimulatedHost::Answer(CMapStringToString& request) {
  const Entries arrived = Snapshot(request);
  requests_.push_back(arrived);
  if (!refusals_.empty()) {
    request.SetAt("LastError", refusals_.front().c_str());
    refusals_.pop_front();
  } else if (!client_ || !client_->Answer(arrived, request)) {
    AnswerAsScripted(request);
  }
  if (client_) client_->Answered(arrived, Snapshot(request));
}

void SimulatedHost::AnswerAsScripted(CMapStringToString& request) {
  if (AnswerSettingsStore(settings, request)) return;
  const std::string function = ValueOf(request, "Function");
  if (function == "List" || function == "Selection") {
    const std::string first = ValueOf(request, "Parameter.1");
    const auto& answers = function == "List" ? lists_ : selections_;
    const std::string key =
        function == "List" ? first : first + "/" + ValueOf(request, "Parameter.2");
    const auto found = answers.find(key);
    if (found != answers.end()) Fill(request, found->second);
  }
}
