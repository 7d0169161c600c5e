# Prints the x86-64 processor's brand string, read with the cpuid instruction itself
# (the kernel's "model name" may be a name of its own): cpuid(leaf) writes eax, ebx,
# ecx and edx to the buffer in rsi.
import ctypes, mmap
code = bytes([
    0x53,                    # push rbx
    0x89, 0xf8,              # mov eax, edi
    0x31, 0xc9,              # xor ecx, ecx
    0x0f, 0xa2,              # cpuid
    0x89, 0x06,              # mov [rsi], eax
    0x89, 0x5e, 0x04,        # mov [rsi+4], ebx
    0x89, 0x4e, 0x08,        # mov [rsi+8], ecx
    0x89, 0x56, 0x0c,        # mov [rsi+12], edx
    0x5b,                    # pop rbx
    0xc3])                   # ret
m = mmap.mmap(-1, mmap.PAGESIZE, prot=mmap.PROT_READ | mmap.PROT_WRITE | mmap.PROT_EXEC)
m.write(code)
f = ctypes.CFUNCTYPE(None, ctypes.c_uint32, ctypes.c_void_p)(ctypes.addressof(ctypes.c_char.from_buffer(m)))
out = ctypes.create_string_buffer(16)
brand = b''
for leaf in (0x80000002, 0x80000003, 0x80000004):
    f(leaf, ctypes.addressof(out))
    brand += out.raw
print(brand.split(b'\0')[0].decode(errors='replace').strip())
