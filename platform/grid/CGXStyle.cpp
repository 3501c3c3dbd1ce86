#include "brenmoor/grid/CGXStyle.h"

CGXStyle& CGXStyle::SetValue(const CString& value) {
  value_ = value;
  return *this;
}

CGXStyle& CGXStyle::SetControl(WORD control) {
  control_ = control;
  return *this;
}

CGXStyle& CGXStyle::SetChoiceList(const CString& choices) {
  choices_ = choices;
  return *this;
}

CGXStyle& CGXStyle::SetUserAttribute(WORD id, const CString& value) {
  userAttributes_[id] = value;
  return *this;
}

CString CGXStyle::GetUserAttribute(WORD id) const {
  const auto found = userAttributes_.find(id);
  return found != userAttributes_.end() ? found->second : CString();
}

void CGXStyle::ChangeStyle(const CGXStyle& other) {
  if (other.value_) value_ = other.value_;
  if (other.control_) control_ = other.control_;
  if (other.choices_) choices_ = other.choices_;
  for (const auto& [id, text] : other.userAttributes_) userAttributes_[id] = text;
}
