#pragma once

#include "framework/CDC.h"

// A memory DC compatible with another (null: with the screen), deleted with the object.
class CMemDC : public CDC {
public:
    explicit CMemDC(CDC* pCompatible);
    ~CMemDC() override;
};
