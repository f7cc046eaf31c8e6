; 实验四 数据传送
; 入口 07B0H，结束于 MOVE_END 处的死循环。
; 作用：先把输入表送到内部 RAM 40H 起（内部数据块），再把内部数据块传送到外部数据存储器
;       3000H 起，最后从外部 3000H 起传回内部 RAM 60H 起。
; 输入：程序存储区 1300H 为字节数 N（0-16，大于 16 按 16 处理），
;       1301H 起为 N 个数据（1301H-1310H 留有 16 个字节的位置）。
;       原有输入：8 个字节 11H 22H 33H 44H 55H 66H 77H 88H。
; 输出：内部 RAM 40H 起、数据存储区 3000H 起、内部 RAM 60H 起各有这 N 个字节；其余字节不变。
; 修改输入：在存储空间窗口选“程序存储区”，改写 1300H 起的字节数和数据，再从入口运行。
;
; Experiment 4: moving a block between internal and external data memory.
; Entry 07B0H; ends in the loop at MOVE_END.
; The input table goes to internal RAM from 40H on (the internal block); the internal block then
; moves to external data memory from 3000H on, and from there back to internal RAM from 60H on.
; Inputs: program memory 1300H the number of bytes N (0 to 16; more counts as 16), then N bytes
;       from 1301H on (1301H-1310H has room for 16).
;       As built: the 8 bytes 11H 22H 33H 44H 55H 66H 77H 88H.
; Outputs: the N bytes in internal RAM from 40H, external data memory from 3000H and internal
;       RAM from 60H on; every other byte keeps its value.
; To change the inputs, overwrite 1300H on in program memory and run again from the entry.

        NAME    MOVE
        PUBLIC  MOVE_MAIN

MOVE_MAX    EQU 16
INNER_BLOCK EQU 40H
OUTER_BLOCK EQU 3000H
BACK_BLOCK  EQU 60H

        CSEG    AT 1300H
MOVE_IN:
        DB      8               ; number of bytes
        DB      11H, 22H, 33H, 44H, 55H, 66H, 77H, 88H
        DS      MOVE_MAX-8      ; room for the longest table

MOVE_MAIN:
        MOV     DPTR,#MOVE_IN
        CLR     A
        MOVC    A,@A+DPTR
        MOV     R7,A
        CLR     C
        SUBB    A,#MOVE_MAX+1   ; borrow when N fits
        JC      MOVE_COUNTED
        MOV     R7,#MOVE_MAX
MOVE_COUNTED:
        MOV     A,R7
        JZ      MOVE_END

        MOV     R6,A            ; program memory -> internal block
        MOV     R0,#INNER_BLOCK
MOVE_TABLE:
        INC     DPTR
        CLR     A
        MOVC    A,@A+DPTR
        MOV     @R0,A
        INC     R0
        DJNZ    R6,MOVE_TABLE

        MOV     A,R7            ; internal block -> external data memory
        MOV     R6,A
        MOV     R0,#INNER_BLOCK
        MOV     DPTR,#OUTER_BLOCK
MOVE_OUT:
        MOV     A,@R0
        MOVX    @DPTR,A
        INC     R0
        INC     DPTR
        DJNZ    R6,MOVE_OUT

        MOV     A,R7            ; external data memory -> internal RAM
        MOV     R6,A
        MOV     R1,#BACK_BLOCK
        MOV     DPTR,#OUTER_BLOCK
MOVE_BACK:
        MOVX    A,@DPTR
        MOV     @R1,A
        INC     R1
        INC     DPTR
        DJNZ    R6,MOVE_BACK

MOVE_END:
        SJMP    MOVE_END

        END
