// SPDX-License-Identifier: GPL-2.0-or-later
// DescriptorHandle: owns one file descriptor (a file, a FIFO, a socket) and closes it when it
// goes; -1 owns nothing.
#pragma once

#include <unistd.h>

class DescriptorHandle
{
public:
    explicit DescriptorHandle(int descriptor) : descriptor(descriptor) {}
    ~DescriptorHandle()
    {
        if (descriptor >= 0)
            close(descriptor);
    }
    DescriptorHandle(const DescriptorHandle&) = delete;
    DescriptorHandle& operator=(const DescriptorHandle&) = delete;

    int Get() const { return descriptor; }

private:
    int descriptor;
};
