// Little-endian writers for the Windows file formats the tools make.
#pragma once

#include <vector>

inline void put16(std::vector<unsigned char>& out, unsigned value)
{
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

inline void put32(std::vector<unsigned char>& out, unsigned value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}
