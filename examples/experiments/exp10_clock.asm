; 实验十 电脑时钟
; 入口 0030H，结束于 CLOCK_END 处的死循环。
; 作用：用软件计时的时钟（模拟器不模拟定时器）：从起始时刻起走若干秒，时、分、秒都是 BCD 码，
;       到 24:00:00 回到 00:00:00。每走一秒先用延时子程序等一秒（12 MHz 时）。
; 输入：程序存储区 1900H-1902H 为起始的时、分、秒（BCD），1903H-1904H 为要走的秒数（高字节在前），
;       1905H 为每秒的延时，以 10 ms 为单位（100 为一秒，0 为不等待）。
;       原有输入：23:59:50 起走 15 秒，每秒等一秒。
; 输出：内部 RAM 30H 为时，31H 为分，32H 为秒（原有输入得 00H 00H 05H）。
; 修改输入：在存储空间窗口选“程序存储区”，改写 1900H-1905H，再从入口运行。
;
; Experiment 10: a time-of-day clock kept in software (the simulator models no timers).
; Entry 0030H; ends in the loop at CLOCK_END.
; The clock goes on a number of seconds from a starting time; hours, minutes and seconds are BCD,
; and 24:00:00 turns into 00:00:00. Before each second it waits a second (at 12 MHz).
; Inputs: program memory 1900H-1902H the starting hours, minutes and seconds (BCD), 1903H-1904H
;       the number of seconds to go (high byte first), 1905H the wait per second in units of
;       10 ms (100 waits a second, 0 does not wait). As built: 15 seconds from 23:59:50 on,
;       waiting a second each.
; Outputs: internal RAM 30H the hours, 31H the minutes, 32H the seconds (00H 00H 05H as built).
; To change the inputs, overwrite 1900H-1905H in program memory and run again from the entry.

        NAME    CLOCK
        PUBLIC  CLOCK_MAIN

HOURS   EQU     30H
MINUTES EQU     31H
SECONDS EQU     32H

        CSEG    AT 1900H
CLOCK_IN:
        DB      23H, 59H, 50H   ; starting time
        DW      15              ; seconds to go
        DB      100             ; wait per second, 10 ms units

CLOCK_MAIN:
        MOV     SP,#5FH
        MOV     DPTR,#CLOCK_IN
        CLR     A
        MOVC    A,@A+DPTR
        MOV     HOURS,A
        MOV     A,#1
        MOVC    A,@A+DPTR
        MOV     MINUTES,A
        MOV     A,#2
        MOVC    A,@A+DPTR
        MOV     SECONDS,A
        MOV     A,#3
        MOVC    A,@A+DPTR
        MOV     R6,A            ; R6 R7: seconds still to go
        MOV     A,#4
        MOVC    A,@A+DPTR
        MOV     R7,A
        MOV     A,#5
        MOVC    A,@A+DPTR
        MOV     R5,A            ; R5: wait per second
CLOCK_LOOP:
        MOV     A,R6
        ORL     A,R7
        JZ      CLOCK_END
        LCALL   CLOCK_WAIT
        LCALL   CLOCK_TICK
        MOV     A,R7            ; count down R6 R7
        JNZ     CLOCK_LOW
        DEC     R6
CLOCK_LOW:
        DEC     R7
        SJMP    CLOCK_LOOP

CLOCK_END:
        SJMP    CLOCK_END

; CLOCK_TICK: one second on. A unit that reaches its limit (60 or 24) starts again at 00 and
; carries; a unit that starts out of range (not BCD, or too large) becomes 00 at its next step.
CLOCK_TICK:
        MOV     A,SECONDS
        ADD     A,#1
        DA      A
        MOV     SECONDS,A
        JC      CLOCK_NEW_MINUTE
        CJNE    A,#60H,CLOCK_SECOND_SET   ; borrow when below 60
CLOCK_SECOND_SET:
        JC      CLOCK_TICKED
CLOCK_NEW_MINUTE:
        MOV     SECONDS,#0
        MOV     A,MINUTES
        ADD     A,#1
        DA      A
        MOV     MINUTES,A
        JC      CLOCK_NEW_HOUR
        CJNE    A,#60H,CLOCK_MINUTE_SET
CLOCK_MINUTE_SET:
        JC      CLOCK_TICKED
CLOCK_NEW_HOUR:
        MOV     MINUTES,#0
        MOV     A,HOURS
        ADD     A,#1
        DA      A
        MOV     HOURS,A
        JC      CLOCK_NEW_DAY
        CJNE    A,#24H,CLOCK_HOUR_SET
CLOCK_HOUR_SET:
        JC      CLOCK_TICKED
CLOCK_NEW_DAY:
        MOV     HOURS,#0
CLOCK_TICKED:
        RET

; CLOCK_WAIT: R5 times 10 ms at 12 MHz (1 us a machine cycle); R2 to R4 are used.
CLOCK_WAIT:
        MOV     A,R5
        JZ      CLOCK_WAITED
        MOV     R4,A
CLOCK_10MS:
        MOV     R3,#20
CLOCK_500US:
        MOV     R2,#248
CLOCK_SPIN:
        DJNZ    R2,CLOCK_SPIN
        DJNZ    R3,CLOCK_500US
        DJNZ    R4,CLOCK_10MS
CLOCK_WAITED:
        RET

        END
