/* The stand-in product's file version, shared by the Windows resource script
   and the Linux program. Plain defines: the resource compiler reads this too. */
#ifndef PTAV6_PRODUCT_VERSION_H
#define PTAV6_PRODUCT_VERSION_H

#define PTAV6_VERSION_MAJOR 6
#define PTAV6_VERSION_MINOR 0
#define PTAV6_VERSION_RELEASE 2
#define PTAV6_VERSION_BETA 1
#define PTAV6_VERSION_TEXT "6.0.2.1"

#endif
