; 实验三 拼字程序
; 入口 0680H，结束于 JOIN_END 处的死循环。
; 作用：取两个字节的低半字节拼成一个字节：第一个字节的低四位作高四位，第二个字节的低四位作低四位。
; 输入：程序存储区 1200H 和 1201H 两个字节（只用低四位），原有输入 07H 和 09H。
; 输出：内部 RAM 30H（07H、09H 得 79H）。
; 修改输入：在存储空间窗口选“程序存储区”，改写 1200H-1201H，再从入口运行。
;
; Experiment 3: joining two nibbles into one byte.
; Entry 0680H; ends in the loop at JOIN_END.
; Inputs: program memory 1200H and 1201H; only their low nibbles count (as built 07H and 09H).
;       The first gives the high nibble of the result, the second the low nibble.
; Output: internal RAM 30H (79H for 07H and 09H).
; To change the inputs, overwrite 1200H-1201H in program memory and run again from the entry.

        NAME    JOIN
        PUBLIC  JOIN_MAIN

JOINED  EQU     30H

        CSEG    AT 1200H
JOIN_IN:
        DB      07H             ; gives the high nibble
        DB      09H             ; gives the low nibble

JOIN_MAIN:
        MOV     DPTR,#JOIN_IN
        CLR     A
        MOVC    A,@A+DPTR
        ANL     A,#0FH
        SWAP    A               ; up into the high nibble
        MOV     R2,A
        MOV     A,#1
        MOVC    A,@A+DPTR
        ANL     A,#0FH
        ORL     A,R2
        MOV     JOINED,A

JOIN_END:
        SJMP    JOIN_END

        END
