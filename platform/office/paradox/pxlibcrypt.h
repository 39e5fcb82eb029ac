#pragma once
// pxlib's own routines for the blocks of password-protected tables. The library exports them
// without declaring them in its header; their arguments are those its readers and writers pass:
// the source and destination block, the table's encryption value, the block's size in bytes and,
// for table blocks, the block's number in the file (from 1).
//
// The reader needs them because pxlib's own blob-file reading cannot be used: opening a ".MB"
// file overruns a buffer on the stack in the library's current release. Blob blocks are
// therefore read here, and decrypted with the library's routine.
extern "C" {
void px_decrypt_db_block(unsigned char* src, unsigned char* dest, unsigned long encryption, unsigned long size,
                         unsigned long blockno);
void px_decrypt_mb_block(unsigned char* src, unsigned char* dest, unsigned long encryption, unsigned long size);
void px_encrypt_mb_block(unsigned char* src, unsigned char* dest, unsigned long encryption, unsigned long size);
}
