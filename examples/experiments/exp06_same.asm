; 实验六 查找相同数
; 入口 0AA0H，结束于 SAME_END 处的死循环。
; 作用：数出表中有几个字节等于给定的字节。
; 输入：程序存储区 1500H 为给定的字节，1501H 为表长 N（0-64，大于 64 按 64 处理），
;       1502H 起为表的 N 个字节（1502H-1541H 留有 64 个字节的位置）。
;       原有输入：给定 07H，表为 12 个字节 07H 10H 07H 00H FFH 07H 70H 17H 07H 01H 0EH 07H。
; 输出：内部 RAM 30H 为相同字节的个数（原有输入得 05H）。
; 修改输入：在存储空间窗口选“程序存储区”，改写 1500H 起的给定字节、表长或表，再从入口运行。
;
; Experiment 6: counting the bytes of a table that equal a given byte.
; Entry 0AA0H; ends in the loop at SAME_END.
; Inputs: program memory 1500H the given byte, 1501H the table length N (0 to 64; more counts as
;       64), then the N bytes of the table from 1502H on (1502H-1541H has room for 64).
;       As built: 07H and the 12 bytes 07H 10H 07H 00H FFH 07H 70H 17H 07H 01H 0EH 07H.
; Output: internal RAM 30H the number of equal bytes (05H as built).
; To change the inputs, overwrite 1500H on in program memory and run again from the entry.

        NAME    SAME
        PUBLIC  SAME_MAIN

SAME_MAX   EQU  64
SAME_COUNT EQU  30H

        CSEG    AT 1500H
SAME_IN:
        DB      07H             ; the byte to look for
        DB      12              ; table length
        DB      07H, 10H, 07H, 00H, 0FFH, 07H, 70H, 17H, 07H, 01H, 0EH, 07H
        DS      SAME_MAX-12     ; room for the longest table

SAME_MAIN:
        MOV     DPTR,#SAME_IN
        CLR     A
        MOVC    A,@A+DPTR
        MOV     R2,A            ; R2: the byte to look for
        INC     DPTR
        CLR     A
        MOVC    A,@A+DPTR
        MOV     R6,A            ; R6: bytes left in the table
        CLR     C
        SUBB    A,#SAME_MAX+1   ; borrow when N fits
        JC      SAME_COUNTED
        MOV     R6,#SAME_MAX
SAME_COUNTED:
        MOV     R3,#0           ; R3: equal bytes so far
        MOV     A,R6
        JZ      SAME_DONE
SAME_LOOP:
        INC     DPTR
        CLR     A
        MOVC    A,@A+DPTR
        XRL     A,R2            ; zero when equal
        JNZ     SAME_NEXT
        INC     R3
SAME_NEXT:
        DJNZ    R6,SAME_LOOP
SAME_DONE:
        MOV     SAME_COUNT,R3

SAME_END:
        SJMP    SAME_END

        END
