#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace skyloom::test {

// While alive, the process honours file permissions even when it runs as root (as CI does), so
// a read-only folder really refuses writes.
struct WithoutRootFileAccess {
    WithoutRootFileAccess() {
        if (::syscall(SYS_capget, &header_, data_) != 0) return;
        for (auto& d : data_)
            d.effective &=
                ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        active_ = ::syscall(SYS_capset, &header_, data_) == 0;
    }
    ~WithoutRootFileAccess() {
        for (auto& d : data_) d.effective = d.permitted;
        if (active_) ::syscall(SYS_capset, &header_, data_);
    }
    WithoutRootFileAccess(const WithoutRootFileAccess&) = delete;
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data_[2]{};
    bool active_ = false;
};
}  // namespace skyloom::test
