#pragma once
#include "dprimitives.h"
#include "dprintstream.ptr"
#include "dstring.h"

namespace dfc::lang {

class DSystem {
public:
    // The diagnostic streams; the frame makes them when it starts.
    static io::DPrintStreamPtr out;
    static io::DPrintStreamPtr err;

    // "file.separator", "app.fullpath", "archive.name", "archive.password" and "platform.type";
    // any other key (keys are case-sensitive) gives an empty pointer.
    static DStringPtr getProperty(const DStringPtr& key);
    // The program supplies the archive password at run time; it is kept nowhere else.
    static void setArchivePassword(const DStringPtr& password);

    // Copies length elements from src at srcPos to dst at dstPos. A length that runs past the end
    // of either array is cut, except within one array, where a source running past the end throws.
    static void arraycopy(const DObjectArrayPtr& src, int srcPos, const DObjectArrayPtr& dst, int dstPos, int length);
    static void arraycopy(const DboolArrayPtr& src, int srcPos, const DboolArrayPtr& dst, int dstPos, int length);
    static void arraycopy(const DbyteArrayPtr& src, int srcPos, const DbyteArrayPtr& dst, int dstPos, int length);
    static void arraycopy(const DcharArrayPtr& src, int srcPos, const DcharArrayPtr& dst, int dstPos, int length);
    static void arraycopy(const DshortArrayPtr& src, int srcPos, const DshortArrayPtr& dst, int dstPos, int length);
    static void arraycopy(const DintArrayPtr& src, int srcPos, const DintArrayPtr& dst, int dstPos, int length);
    static void arraycopy(const DlongArrayPtr& src, int srcPos, const DlongArrayPtr& dst, int dstPos, int length);
};

}  // namespace dfc::lang
