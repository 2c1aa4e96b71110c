#pragma once

// SupplierChooserData: the choosers' requests issued to the program's data supplier. Each
// answer is copied out of the supplier's result buffer, so it outlives the next request.

#include "content/ui/chooserdata.h"

namespace kf {

class CPump_TypingData;

class SupplierChooserData : public ChooserData
{
public:
    // The supplier is borrowed and must outlive this object.
    explicit SupplierChooserData(CPump_TypingData& supplier) : m_supplier(supplier) {}

    void SetErrorKey(std::u16string_view key) override;
    bool ListCourses(int32_t layoutType, int32_t whichHand, Bytes& reply) override;
    bool ListLessons(std::u16string_view coursePath, uint32_t fitMask, bool includeHidden,
                     Bytes& reply) override;
    bool ResolveCourseRef(int32_t kind, int32_t layoutType, int32_t whichHand,
                          std::u16string_view course, uint32_t lessonIndex,
                          std::u16string_view lessonName, Bytes& reply) override;
    bool ListTestCategories(Bytes& reply) override;
    bool CheckTestCategory(std::u16string_view category, Bytes& reply) override;
    bool ListTestTexts(std::u16string_view category, Bytes& reply) override;
    std::u16string DataFolder() const override;

private:
    bool Copy(bool ok, Bytes& reply) const;

    CPump_TypingData& m_supplier;
};

} // namespace kf
