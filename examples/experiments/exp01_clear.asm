; 实验一 清零程序
; 入口 0640H，结束于 CLEAR_END 处的死循环。
; 作用：把外部数据存储器中从起始地址开始的一块清零。
; 输入：程序存储区 1000H-1001H 为起始地址（高字节在前），1002H-1003H 为字节数（高字节在前，
;       0 表示不清任何字节）。原有输入：从 2000H 起清 0100H 个字节。
; 输出：数据存储区从起始地址起的这些字节为 00H，其余字节不变。
; 修改输入：在存储空间窗口选“程序存储区”，改写 1000H-1003H，再从入口运行。先在“数据存储区”
;       的这一块写入一些非零字节，就能看到它们被清零（变红）。
;
; Experiment 1: clearing a block of external data memory.
; Entry 0640H; ends in the loop at CLEAR_END.
; Inputs: program memory 1000H-1001H the first address (high byte first), 1002H-1003H the number
;       of bytes (high byte first; 0 clears nothing). As built: 0100H bytes from 2000H on.
; Output: those bytes of external data memory are 00H; all others keep their values.
; To change the inputs, overwrite 1000H-1003H in program memory and run again from the entry.
; Write some non-zero bytes into the block first to watch them being cleared.

        NAME    CLEAR
        PUBLIC  CLEAR_MAIN

        CSEG    AT 1000H
CLEAR_IN:
        DW      2000H           ; first address
        DW      0100H           ; number of bytes

CLEAR_MAIN:
        MOV     DPTR,#CLEAR_IN
        CLR     A
        MOVC    A,@A+DPTR
        MOV     R2,A            ; R2 R3: first address
        MOV     A,#1
        MOVC    A,@A+DPTR
        MOV     R3,A
        MOV     A,#2
        MOVC    A,@A+DPTR
        MOV     R4,A            ; R4 R5: bytes still to clear
        MOV     A,#3
        MOVC    A,@A+DPTR
        MOV     R5,A
        MOV     DPH,R2
        MOV     DPL,R3
CLEAR_LOOP:
        MOV     A,R4
        ORL     A,R5
        JZ      CLEAR_END
        CLR     A
        MOVX    @DPTR,A
        INC     DPTR
        MOV     A,R5            ; count down R4 R5
        JNZ     CLEAR_LOW
        DEC     R4
CLEAR_LOW:
        DEC     R5
        SJMP    CLEAR_LOOP

CLEAR_END:
        SJMP    CLEAR_END

        END
