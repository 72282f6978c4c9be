// Keeping the conditional requisites that wait, and firing them in waiting order.
#include "ZYNINSPendingRequisites.h"

#include <algorithm>

#include "ZYNINSNames.h"

ZYNINSPendingRequisites::AddResult ZYNINSPendingRequisites::Add(const ZYNINSIfreqPair &pair, bool conditionMet,
                                                                bool conditionExamined) {
  if (_Keys.size() >= _Capacity) return Full;
  std::string condition = ZYNINSNameText(pair.GetCondName());
  std::string required = ZYNINSNameText(pair.GetReqName());
  // The condition never holds a '/', so the key tells pairs apart.
  std::string key = condition + '/' + required;
  if (!_Keys.insert(key).second) return Present;
  std::size_t id = _Pairs.size();
  _Pairs.push_back({key, required});
  if (conditionMet || conditionExamined)
    _Ready.push_back(id);
  else
    _ByCondition[condition].push_back(id);
  return Added;
}

void ZYNINSPendingRequisites::Examined(const std::string &name) {
  auto waiting = _ByCondition.find(name);
  if (waiting == _ByCondition.end()) return;
  _Ready.insert(_Ready.end(), waiting->second.begin(), waiting->second.end());
  _ByCondition.erase(waiting);
}

std::vector<std::string> ZYNINSPendingRequisites::TakeFiring(std::vector<std::string> *conditions) {
  std::sort(_Ready.begin(), _Ready.end());
  std::vector<std::string> required;
  required.reserve(_Ready.size());
  for (std::size_t id : _Ready) {
    required.push_back(_Pairs[id].required);
    // The condition is the key up to its '/', which a condition never holds.
    if (conditions) conditions->push_back(_Pairs[id].key.substr(0, _Pairs[id].key.find('/')));
    _Keys.erase(_Pairs[id].key);
  }
  _Ready.clear();
  return required;
}
