#pragma once

// The option list as the select commands see it.
class OptionCheckList {
public:
    virtual ~OptionCheckList() = default;
    virtual int GetCount() = 0;
    virtual void SetCheck(int index, bool checked) = 0;
};
