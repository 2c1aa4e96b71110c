#include "content/ui/supplierchooserdata.h"

#include "users/pump_typingdata.h"

namespace kf {

bool SupplierChooserData::Copy(bool ok, Bytes& reply) const
{
    reply.clear();
    if (!ok)
        return false;
    size_t n = 0;
    const uint8_t* p = m_supplier.GetResult(&n);
    if (p && n)
        reply.assign(p, p + n);
    return true;
}

void SupplierChooserData::SetErrorKey(std::u16string_view key)
{
    m_supplier.SetErrorKey(key);
}

bool SupplierChooserData::ListCourses(int32_t layoutType, int32_t whichHand, Bytes& reply)
{
    return Copy(m_supplier.ListCourses(layoutType, whichHand), reply);
}

bool SupplierChooserData::ListLessons(std::u16string_view coursePath, uint32_t fitMask,
                                      bool includeHidden, Bytes& reply)
{
    return Copy(m_supplier.ListLessons(coursePath, fitMask, includeHidden), reply);
}

bool SupplierChooserData::ResolveCourseRef(int32_t kind, int32_t layoutType, int32_t whichHand,
                                           std::u16string_view course, uint32_t lessonIndex,
                                           std::u16string_view lessonName, Bytes& reply)
{
    return Copy(
        m_supplier.ResolveCourseRef(kind, layoutType, whichHand, course, lessonIndex, lessonName),
        reply);
}

bool SupplierChooserData::ListTestCategories(Bytes& reply)
{
    return Copy(m_supplier.ListTestCategories(), reply);
}

bool SupplierChooserData::CheckTestCategory(std::u16string_view category, Bytes& reply)
{
    return Copy(m_supplier.CheckTestCategory(category), reply);
}

bool SupplierChooserData::ListTestTexts(std::u16string_view category, Bytes& reply)
{
    return Copy(m_supplier.ListTestTexts(category), reply);
}

std::u16string SupplierChooserData::DataFolder() const
{
    return m_supplier.DataFolder();
}

} // namespace kf
