; 实验七 乘法子程序
; 入口 0970H，结束于 MUL_END 处的死循环。
; 作用：子程序 MUL16 用 MUL AB 把两个 16 位无符号数相乘，得 32 位积。
; 输入：程序存储区 1600H-1601H 为被乘数，1602H-1603H 为乘数（都是高字节在前）。
;       原有输入：1234H × 5678H。
; 输出：内部 RAM 30H-33H 为积，高字节在前（原有输入得 06H 26H 00H 60H，即 06260060H）。
; 修改输入：在存储空间窗口选“程序存储区”，改写 1600H-1603H，再从入口运行。
;
; Experiment 7: a multi-byte multiply routine.
; Entry 0970H; ends in the loop at MUL_END.
; The subroutine MUL16 multiplies two unsigned 16-bit numbers into a 32-bit product with MUL AB.
; Inputs: program memory 1600H-1601H the multiplicand, 1602H-1603H the multiplier (both high
;       byte first). As built: 1234H times 5678H.
; Output: internal RAM 30H-33H the product, high byte first (06H 26H 00H 60H as built).
; To change the inputs, overwrite 1600H-1603H in program memory and run again from the entry.

        NAME    MULTIPLY
        PUBLIC  MUL_MAIN

PRODUCT EQU     30H             ; 30H the highest byte, 33H the lowest

        CSEG    AT 1600H
MUL_IN:
        DW      1234H           ; multiplicand
        DW      5678H           ; multiplier

MUL_MAIN:
        MOV     SP,#5FH         ; the stack stays clear of the product and the registers
        MOV     DPTR,#MUL_IN
        CLR     A
        MOVC    A,@A+DPTR
        MOV     R2,A            ; R2 R3: multiplicand
        MOV     A,#1
        MOVC    A,@A+DPTR
        MOV     R3,A
        MOV     A,#2
        MOVC    A,@A+DPTR
        MOV     R4,A            ; R4 R5: multiplier
        MOV     A,#3
        MOVC    A,@A+DPTR
        MOV     R5,A
        LCALL   MUL16

MUL_END:
        SJMP    MUL_END

; MUL16: PRODUCT..PRODUCT+3 := R2 R3 times R4 R5, summed from the four byte products.
; Uses A and B; R2 to R5 keep their values.
MUL16:
        MOV     A,R3            ; low times low
        MOV     B,R5
        MUL     AB
        MOV     PRODUCT+3,A
        MOV     PRODUCT+2,B
        MOV     PRODUCT+1,#0
        MOV     PRODUCT,#0

        MOV     A,R2            ; high times low, one byte up
        MOV     B,R5
        MUL     AB
        ADD     A,PRODUCT+2
        MOV     PRODUCT+2,A
        MOV     A,B
        ADDC    A,PRODUCT+1
        MOV     PRODUCT+1,A

        MOV     A,R3            ; low times high, one byte up
        MOV     B,R4
        MUL     AB
        ADD     A,PRODUCT+2
        MOV     PRODUCT+2,A
        MOV     A,B
        ADDC    A,PRODUCT+1
        MOV     PRODUCT+1,A
        CLR     A
        ADDC    A,PRODUCT
        MOV     PRODUCT,A

        MOV     A,R2            ; high times high, two bytes up
        MOV     B,R4
        MUL     AB
        ADD     A,PRODUCT+1
        MOV     PRODUCT+1,A
        MOV     A,B
        ADDC    A,PRODUCT
        MOV     PRODUCT,A
        RET

        END
