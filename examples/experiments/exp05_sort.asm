; 实验五 数据排序
; 入口 09B0H，结束于 SORT_END 处的死循环。
; 作用：把输入表送到内部 RAM 50H 起，再用冒泡法按无符号数从小到大排序。
; 输入：程序存储区 1400H 为个数 N（0-32，大于 32 按 32 处理），
;       1401H 起为 N 个字节（1401H-1420H 留有 32 个字节的位置）。
;       原有输入：10 个字节 38H 07H 9AH 00H FFH 55H 12H 80H 07H 41H。
; 输出：内部 RAM 50H 起的 N 个字节，从小到大排列（原有输入得
;       00H 07H 07H 12H 38H 41H 55H 80H 9AH FFH）。
; 修改输入：在存储空间窗口选“程序存储区”，改写 1400H 起的个数和数据，再从入口运行。
;
; Experiment 5: sorting a table.
; Entry 09B0H; ends in the loop at SORT_END.
; The input table goes to internal RAM from 50H on and is sorted there into ascending order of
; unsigned bytes (bubble sort).
; Inputs: program memory 1400H the number of bytes N (0 to 32; more counts as 32), then N bytes
;       from 1401H on (1401H-1420H has room for 32).
;       As built: the 10 bytes 38H 07H 9AH 00H FFH 55H 12H 80H 07H 41H.
; Output: the N bytes in internal RAM from 50H on, smallest first (as built
;       00H 07H 07H 12H 38H 41H 55H 80H 9AH FFH).
; To change the inputs, overwrite 1400H on in program memory and run again from the entry.

        NAME    SORT
        PUBLIC  SORT_MAIN

SORT_MAX   EQU  32
SORT_TABLE EQU  50H

        CSEG    AT 1400H
SORT_IN:
        DB      10              ; number of bytes
        DB      38H, 07H, 9AH, 00H, 0FFH, 55H, 12H, 80H, 07H, 41H
        DS      SORT_MAX-10     ; room for the longest table

SORT_MAIN:
        MOV     DPTR,#SORT_IN
        CLR     A
        MOVC    A,@A+DPTR
        MOV     R7,A            ; R7: bytes still to sort
        CLR     C
        SUBB    A,#SORT_MAX+1   ; borrow when N fits
        JC      SORT_COUNTED
        MOV     R7,#SORT_MAX
SORT_COUNTED:
        MOV     A,R7
        JZ      SORT_END
        MOV     R6,A
        MOV     R0,#SORT_TABLE
SORT_COPY:
        INC     DPTR
        CLR     A
        MOVC    A,@A+DPTR
        MOV     @R0,A
        INC     R0
        DJNZ    R6,SORT_COPY

SORT_PASS:                      ; one pass carries the largest byte to the end
        MOV     A,R7
        DEC     A
        JZ      SORT_END
        MOV     R6,A            ; pairs to compare in this pass
        MOV     R5,#0           ; no exchange yet
        MOV     R0,#SORT_TABLE
SORT_COMPARE:
        MOV     A,@R0
        MOV     R2,A
        INC     R0
        MOV     A,@R0
        CLR     C
        SUBB    A,R2            ; borrow when the next byte is smaller
        JNC     SORT_NEXT
        MOV     A,@R0           ; exchange the pair
        DEC     R0
        MOV     @R0,A
        INC     R0
        MOV     A,R2
        MOV     @R0,A
        MOV     R5,#1
SORT_NEXT:
        DJNZ    R6,SORT_COMPARE
        MOV     A,R5
        JZ      SORT_END        ; a pass without exchanges: sorted
        DEC     R7
        SJMP    SORT_PASS

SORT_END:
        SJMP    SORT_END

        END
