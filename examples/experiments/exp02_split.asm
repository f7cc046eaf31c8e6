; 实验二 拆字程序
; 入口 0660H，结束于 SPLIT_END 处的死循环。
; 作用：把一个字节拆成高半字节和低半字节，分别存成两个字节（高四位为 0）。
; 输入：程序存储区 1100H 的一个字节，原有输入 5AH。
; 输出：内部 RAM 30H 为高半字节（5AH 得 05H），31H 为低半字节（5AH 得 0AH）。
; 修改输入：在存储空间窗口选“程序存储区”，改写 1100H，再从入口运行。
;
; Experiment 2: splitting a byte into its two nibbles, stored as separate bytes.
; Entry 0660H; ends in the loop at SPLIT_END.
; Input: the byte at program memory 1100H (as built 5AH).
; Output: internal RAM 30H the high nibble (05H for 5AH), 31H the low nibble (0AH).
; To change the input, overwrite 1100H in program memory and run again from the entry.

        NAME    SPLIT
        PUBLIC  SPLIT_MAIN

HIGH_NIBBLE EQU 30H
LOW_NIBBLE  EQU 31H

        CSEG    AT 1100H
SPLIT_IN:
        DB      5AH             ; the byte to split

SPLIT_MAIN:
        MOV     DPTR,#SPLIT_IN
        CLR     A
        MOVC    A,@A+DPTR
        MOV     R2,A
        SWAP    A               ; the high nibble moves down
        ANL     A,#0FH
        MOV     HIGH_NIBBLE,A
        MOV     A,R2
        ANL     A,#0FH
        MOV     LOW_NIBBLE,A

SPLIT_END:
        SJMP    SPLIT_END

        END
