// SPDX-License-Identifier: MIT
// The x87 unit's precision for the span of one export, on 32-bit x86. The library computes with
// SSE2, whose double arithmetic is the same everywhere; the x87 unit only carries doubles back
// to the host (exact loads and stores). Code of the C++ runtime linked into the DLL may still
// multiply or divide on the x87 unit, and there the precision the host left in the control word
// (53 or 64 bits) could change a result's last bit. An export that reaches such code holds one
// of these: it sets 53-bit precision and restores the host's control word when it returns or
// throws. The control word belongs to the calling thread, so other threads see nothing of it.
// tools/check_x87.py lists, from the DLL's code, the exports that need one.
#pragma once

#if defined(_MSC_VER) && defined(_M_IX86)
#include <float.h>
#endif

namespace tavrisk::platform {

class DoublePrecisionX87 {
public:
#if defined(__i386__) && (defined(__GNUC__) || defined(__clang__))
    DoublePrecisionX87() {
        __asm__ __volatile__("fnstcw %0" : "=m"(saved_));
        unsigned short const wanted =
            static_cast<unsigned short>((saved_ & ~kPrecisionMask) | kDoublePrecision);
        if (wanted != saved_) {
            __asm__ __volatile__("fldcw %0" : : "m"(wanted));
        }
    }
    ~DoublePrecisionX87() {
        unsigned short current;
        __asm__ __volatile__("fnstcw %0" : "=m"(current));
        if (current != saved_) {
            __asm__ __volatile__("fldcw %0" : : "m"(saved_));
        }
    }

private:
    // The precision-control field of the control word, and its value for 53-bit significands.
    static constexpr unsigned short kPrecisionMask = 0x300;
    static constexpr unsigned short kDoublePrecision = 0x200;
    unsigned short saved_;
#elif defined(_MSC_VER) && defined(_M_IX86)
    DoublePrecisionX87() {
        _controlfp_s(&saved_, 0, 0);
        unsigned int ignored;
        _controlfp_s(&ignored, _PC_53, _MCW_PC);
    }
    ~DoublePrecisionX87() {
        unsigned int ignored;
        _controlfp_s(&ignored, saved_ & _MCW_PC, _MCW_PC);
    }

private:
    unsigned int saved_;
#else
    // No x87 unit carries results on this target.
    DoublePrecisionX87() {}
#endif
    DoublePrecisionX87(DoublePrecisionX87 const&) = delete;
    DoublePrecisionX87& operator=(DoublePrecisionX87 const&) = delete;
};

}  // namespace tavrisk::platform
